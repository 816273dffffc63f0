#!/usr/bin/python3
"""Reads the soak driver's lines (tests/win/soak/SoakMain.cpp) on standard
input, prints each sample as a row of a table as it comes, and once the input
ends judges the run by the rules in scripts/soak.sh's header. Prints what
failed and the peak private bytes; exits 0 when the run passed, 1 when not.

    soak_driver.exe MINUTES BYTES | soak-table.py"""

import sys

MIB = 1024 * 1024

# A board has stopped polling when its last request is older than this
# (seconds): an ordinary board's fetch ends within 60 s whatever its server
# does; the hostile board's drip or stall holds a fetch the full 60 s, and
# its 32 MiB page's fetch and pass are given as long again.
QUIET_LIMIT = 60.0
HOSTILE_QUIET_LIMIT = 120.0

# Growth: samples of the warm-up are left out, the rest cut into thirds; a
# count kept rising when the highest value of the last third is above the
# highest of the second third by more than TOLERANCE (a share of the second
# third's highest) plus the count's own slack.
WARM_UP_SECONDS = 180.0
TOLERANCE = 0.10
COUNTS = [  # (key, name, slack)
    ("private", "private bytes", 16 * MIB),
    ("handles", "handles", 32),
    ("gdi", "GDI objects", 16),
    ("user", "USER objects", 8),
    ("threads", "threads", 4),
    ("companions", "companions", 3),
]


def clock(seconds):
    seconds = int(seconds)
    return "%d:%02d" % (seconds // 60, seconds % 60)


def amount(key, value):
    return "%.1f MiB" % (value / MIB) if key == "private" else str(value)


class Run:
    def __init__(self):
        self.pages = []
        self.hostile = None
        self.samples = []
        self.failures = []
        self.ended = False
        self.died_at = None

    def header(self):
        columns = ["  time", "private MiB", "handles", "  GDI", " USER", "threads", "pellis"]
        columns += [("p%d%s" % (page, "*" if page == self.hostile else "")).rjust(7)
                    for page in self.pages]
        columns.append("answered")
        print(" ".join(columns))

    def row(self, sample):
        cells = [clock(sample["t"]).rjust(6), ("%.1f" % (sample["private"] / MIB)).rjust(11),
                 str(sample["handles"]).rjust(7), str(sample["gdi"]).rjust(5),
                 str(sample["user"]).rjust(5), str(sample["threads"]).rjust(7),
                 str(sample["companions"]).rjust(6)]
        cells += [str(n).rjust(7) for n in sample["requests"]]
        cells.append("yes" if sample["answered"] else "NO")
        print(" ".join(cells), flush=True)

    FIELDS = ("private", "handles", "gdi", "user", "threads", "companions", "answered",
              "requests", "quiet")

    def sample(self, words):
        """The sample of a line, or None when the line is cut short or garbled."""
        try:
            sample = {"t": float(words[1])}
            for word in words[2:]:
                key, value = word.split("=", 1)
                if key in ("requests", "quiet"):
                    sample[key] = [float(v) if key == "quiet" else int(v) for v in value.split(",")]
                else:
                    sample[key] = int(value)
        except (IndexError, ValueError):
            return None
        complete = all(key in sample for key in self.FIELDS)
        boards = complete and len(sample["requests"]) == len(sample["quiet"]) == len(self.pages)
        return sample if boards else None

    def read(self, line):
        words = line.split()
        if not words:
            return
        kind = words[0]
        if kind == "boards":
            self.pages = [int(w) for w in words[1:] if "=" not in w]
            hostile = [w.split("=", 1)[1] for w in words[1:] if w.startswith("hostile=")]
            self.hostile = int(hostile[0]) if hostile and hostile[0].isdigit() else None
            print("boards by page; * the hostile one; requests so far under each")
            self.header()
        elif kind == "sample":
            sample = self.sample(words)
            if sample is None:
                print("unreadable: " + line)
                return
            self.samples.append(sample)
            self.row(sample)
        elif kind == "died":
            self.died_at = float(words[1])
            print("the program died at %s" % clock(self.died_at))
        elif kind == "end":
            self.ended = True
        elif kind == "fail":
            self.failures.append("the run could not be set up: " + " ".join(words[1:]))
            print(line)
        else:
            print(line, flush=True)

    def judge(self):
        if self.died_at is not None:
            self.failures.append("the program died at %s" % clock(self.died_at))
        elif not self.ended and not self.failures:
            self.failures.append("the driver stopped before the end of the run")
        if not self.samples:
            if not self.failures:
                self.failures.append("no samples")
            return
        missed = [s for s in self.samples if not s["answered"]]
        if missed:
            self.failures.append(
                "the main window did not answer WM_NULL within 100 ms at %d of %d samples (first at %s)"
                % (len(missed), len(self.samples), clock(missed[0]["t"])))
        for i, page in enumerate(self.pages):
            limit = HOSTILE_QUIET_LIMIT if page == self.hostile else QUIET_LIMIT
            longest = max(self.samples, key=lambda s: s["quiet"][i])
            if longest["quiet"][i] > limit:
                self.failures.append(
                    "page %d stopped polling: no request for %.0f s at %s (limit %.0f s)"
                    % (page, longest["quiet"][i], clock(longest["t"]), limit))
        self.judge_growth()

    def judge_growth(self):
        last = self.samples[-1]["t"]
        warm_up = min(WARM_UP_SECONDS, last / 3)
        judged = [s for s in self.samples if s["t"] > warm_up]
        if len(judged) < 3:
            print("growth not judged: %d samples after the warm-up" % len(judged))
            return
        third = len(judged) // 3
        second, final = judged[third:2 * third], judged[len(judged) - third:]
        print("growth: after a warm-up of %s, samples %s-%s against %s-%s"
              % (clock(warm_up), clock(second[0]["t"]), clock(second[-1]["t"]),
                 clock(final[0]["t"]), clock(final[-1]["t"])))
        for key, name, slack in COUNTS:
            before = max(s[key] for s in second)
            after = max(s[key] for s in final)
            allowed = before * (1 + TOLERANCE) + slack
            if after > allowed:
                self.failures.append(
                    "%s kept rising: highest %s in the second third, %s in the last (allowed %s)"
                    % (name, amount(key, before), amount(key, after), amount(key, allowed)))


def main():
    run = Run()
    try:
        for line in sys.stdin:
            run.read(line.rstrip("\r\n"))
    except KeyboardInterrupt:
        print("interrupted")
        return 130
    run.judge()
    if run.samples:
        peak = max(run.samples, key=lambda s: s["private"])
        print("peak private bytes: %.1f MiB (%d bytes) at %s"
              % (peak["private"] / MIB, peak["private"], clock(peak["t"])))
    for failure in run.failures:
        print("FAILED: " + failure)
    print("verdict: " + ("FAILED" if run.failures else "passed"))
    return 1 if run.failures else 0


if __name__ == "__main__":
    sys.exit(main())
