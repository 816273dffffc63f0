# Two commands on a fresh Debian 12 machine (as root): `make test`, `make run`;
# and `make demo`, the job on local boards without the internet.
.PHONY: test run demo build fuzz soak clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

# make demo: local copies of the boards with new posts coming in and the
# program at work on them (scripts/demo.sh): by hand on your display, or
# showing itself without one.
demo:
	@scripts/demo.sh

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
