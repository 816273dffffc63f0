#!/usr/bin/python3
"""Reads the soak driver's lines (tests/win/soak/SoakMain.cpp) on standard
input, prints each sample as a row of a table as it comes, and once the input
ends judges the run by the rules in scripts/soak.sh's header. Prints what
failed and the peak private bytes; exits 0 when the run passed, 1 when not.

    soak_driver.exe MINUTES BYTES | soak-table.py"""

import sys

MIB = 1024 * 1024

# A board has stopped polling when its last request is older than this
# (seconds). An ordinary board's server answers at once, and any fetch ends
# within 60 s whatever its server does. On the hostile board a pass ends at
# most 60 s after its request went (a drip, a stall or a header drip is given
# up at the whole request's deadline; a cut page fails) plus the cutting of
# what came, the longest being a 32 MiB page's pass, given as long again on a
# shared machine.
QUIET_LIMIT = 60.0
HOSTILE_QUIET_LIMIT = 120.0

# Growth: the samples of the warm-up are left out, the rest grouped by
# minute; each count's lowest value in every minute (a minute with at least
# MIN_SAMPLES samples) gets a least-squares line, and a count kept rising
# when that line's slope is above the count's limit (per minute) and its
# rise over the judged minutes is above the count's slack: a count that
# steps up once (a tooltip's first font, a buffer that grew) and then stays
# rises the line by at most one and a half times the step. The lowest value
# is the count at rest: no 32 MiB page in flight, no popup or sound under
# way. Only the stores hold more the longer a run lasts, and they meet their
# limits (the test build's, lowered by soak.sh) within the warm-up.
WARM_UP_SECONDS = 180.0
MIN_SAMPLES = 3
MIN_MINUTES = 3
COUNTS = [  # (key, name, slope limit per minute, slack)
    # A run that keeps every row (--without-eviction) grows 2 to 4 MiB a
    # hostile page (1,000 rows), about a page a minute: 5.3 MiB a minute in
    # a 10-minute run, against -0.1 for the same run with eviction. A leak
    # of 16 bytes a pass of the seven ordinary boards (some 17,000 passes a
    # minute between them at interval 0) is 0.25 MiB a minute. At rest the
    # program stays within a MiB or two.
    ("private", "private bytes", 0.25 * MIB, 4 * MIB),
    # The objects: one more every minute or two is a leak (the program
    # makes thousands of requests, list changes and popups a minute); at
    # rest they stay, but for a few made once when first needed.
    ("handles", "handles", 2.0, 32),
    ("gdi", "GDI objects", 1.0, 16),
    ("user", "USER objects", 1.0, 8),
    ("threads", "threads", 0.5, 4),
    ("companions", "companions", 0.5, 3),
]


def slope(xs, ys):
    """The slope of the least-squares line through the points."""
    mean_x = sum(xs) / len(xs)
    mean_y = sum(ys) / len(ys)
    spread = sum((x - mean_x) ** 2 for x in xs)
    return sum((x - mean_x) * (y - mean_y) for x, y in zip(xs, ys)) / spread


def clock(seconds):
    seconds = int(seconds)
    return "%d:%02d" % (seconds // 60, seconds % 60)


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
        longest_quiet = []
        for i, page in enumerate(self.pages):
            limit = HOSTILE_QUIET_LIMIT if page == self.hostile else QUIET_LIMIT
            longest = max(self.samples, key=lambda s: s["quiet"][i])
            longest_quiet.append("p%d%s %.0f s" % (page, "*" if page == self.hostile else "",
                                                    longest["quiet"][i]))
            if longest["quiet"][i] > limit:
                self.failures.append(
                    "page %d stopped polling: no request for %.0f s at %s (limit %.0f s)"
                    % (page, longest["quiet"][i], clock(longest["t"]), limit))
        print("longest without a request: " + ", ".join(longest_quiet))
        self.judge_growth()

    def judge_growth(self):
        last = self.samples[-1]["t"]
        warm_up = min(WARM_UP_SECONDS, last / 3)
        minutes = {}
        for s in self.samples:
            if s["t"] > warm_up:
                minutes.setdefault(int((s["t"] - warm_up) // 60), []).append(s)
        judged = [m for m in sorted(minutes) if len(minutes[m]) >= MIN_SAMPLES]
        if len(judged) < MIN_MINUTES:
            print("growth not judged: %d whole minutes after the warm-up" % len(judged))
            return
        xs = [m + 0.5 for m in judged]
        print("growth: lowest value of each minute after a warm-up of %s (%d minutes)"
              % (clock(warm_up), len(judged)))
        span = xs[-1] - xs[0] + 1
        for key, name, limit, slack in COUNTS:
            lows = [min(s[key] for s in minutes[m]) for m in judged]
            per_minute = slope(xs, lows)

            def shown(value, digits):
                return ("%.*f MiB" % (digits, value / MIB)) if key == "private" else "%.*f" % (digits, value)
            lows_shown = " ".join(("%.1f" % (v / MIB)) if key == "private" else str(v) for v in lows)
            print("  %-13s %s: slope %s a minute (limit %s), %s over %d minutes (slack %s)"
                  % (name, lows_shown, shown(per_minute, 2), shown(limit, 2),
                     shown(per_minute * span, 1), span, shown(slack, 0)))
            if per_minute > limit and per_minute * span > slack:
                self.failures.append(
                    "%s kept rising: %s a minute at rest after the warm-up, %s over %d minutes "
                    "(limits %s a minute, %s)" % (name, shown(per_minute, 2), shown(per_minute * span, 1),
                                                  span, shown(limit, 2), shown(slack, 0)))


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
