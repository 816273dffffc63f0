# Two commands on a fresh Debian 12 machine (as root): `make test`, `make run`.
.PHONY: test run build clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

build:
	@scripts/install-deps.sh
	@scripts/build.sh

clean:
	rm -rf build
