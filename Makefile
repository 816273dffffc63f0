# Two commands on a fresh Debian 12 machine (as root): `make test`, `make run`.
.PHONY: test run build fuzz soak clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

# make fuzz [MINUTES=3] [JOBS=2] [HARNESSES="a b"]: a fuzzing campaign (every
# harness unless named).
fuzz:
	@MINUTES=$(MINUTES) JOBS=$(JOBS) scripts/fuzz.sh $(HARNESSES)

# make soak [MINUTES=30]: the soak run (scripts/soak.sh), not part of make test.
soak:
	@scripts/soak.sh $(MINUTES)

build:
	@scripts/install-deps.sh
	@scripts/build.sh

clean:
	rm -rf build
