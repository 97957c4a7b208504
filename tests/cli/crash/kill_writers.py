#!/usr/bin/env python3
"""Kills korvana's writers at random moments and runs two chart writers at once.

usage: kill_writers.py KORVANA SCRATCH [--seed N] [--rounds N] [--pairs N]

Every round of the first part starts one writer (charts add, charts delete, charts memo
--set, compile) and kills it with SIGKILL after a random delay between 0 and a little
more than the command's typical run time. The next ordinary command must then find every
chart readable, exactly the old or exactly the new state of the one interrupted change,
and no work file left. The second part starts two writers of one chart file together;
both changes must be there, or a writer that timed out on the folder lock must have
said so and changed nothing. Last, two writers meet a folder lock held for longer than
they wait: both must give up with a message and change nothing.

Everything the program writes lies in SCRATCH, which is emptied first and removed when
every round passed. The random choices come from one seeded generator; a failing round
is printed with the seed, its number and its delay so that it can be run again.
"""

import argparse
import difflib
import fcntl
import hashlib
import os
import random
import re
import shutil
import signal
import statistics
import subprocess
import sys
import time
from collections import Counter
from pathlib import Path

# Work files are "name.workPID_N" beside the file they replace.
WORK_FILE = re.compile(r"\.work\d+_\d+$")
NO_MEMO = "(No memo text found)"

# Fields of the charts the rounds add: names are unique, the rest varies the records.
PLACES = [
    ("London", "England", "GMT", "51N30", "0W07"),
    ("New York", "USA", "EST", "40N43", "74W00"),
    ("Sydney", "Australia", "AEDT", "33S52", "151E13"),
    ("Paris", "France", "CET", "48N52", "2E20"),
    ("Tokyo", "Japan", "JST", "35N41", "139E41"),
]
MEMO_WORDS = "sun moon rising house aspect trine square sextile node ruler chart note".split()

# The extra section that makes the second compiled pair differ from the first in both files.
EXTRA_SECTION = "\n*Section 1\nA section the first pair lacks\n\n*Sun Aries\nAn extra paragraph.\n"


KILLED_COMMANDS = ("charts add", "charts delete", "charts memo --set", "compile")


class Failure(Exception):
    """A round found lost or unreadable data."""


class Korvana:
    """Runs the program with a data folder, settings and user folders inside the scratch folder."""

    def __init__(self, binary, scratch):
        self.binary = str(Path(binary).resolve())
        self.scratch = scratch
        self.home = scratch / "home"
        user = scratch / "user"
        runtime = scratch / "runtime"
        for folder in (user, runtime):
            folder.mkdir(parents=True, exist_ok=True)
        runtime.chmod(0o700)
        self.env = {k: v for k, v in os.environ.items() if not k.startswith("KORVANA_")}
        self.env.update(
            HOME=str(user),
            XDG_CONFIG_HOME=str(user / "config"),
            XDG_DATA_HOME=str(user / "data"),
            XDG_CACHE_HOME=str(user / "cache"),
            XDG_RUNTIME_DIR=str(runtime),
            QT_QPA_PLATFORM="offscreen",
        )

    def _argv(self, args):
        return [self.binary, "--home", str(self.home), "--config", str(self.scratch / "registry.ini")] + args

    def run(self, args):
        return subprocess.run(self._argv(args), cwd=self.scratch, env=self.env, capture_output=True, text=True,
                              errors="replace", timeout=60)

    def ok(self, args):
        r = self.run(args)
        if r.returncode != 0:
            raise Failure(f"korvana {' '.join(args)} exited {r.returncode}: {r.stderr.strip()}")
        return r.stdout

    def start(self, args, output=subprocess.DEVNULL):
        return subprocess.Popen(self._argv(args), cwd=self.scratch, env=self.env, stdout=output,
                                stderr=subprocess.PIPE, text=True, errors="replace")

    def outputs(self, argsList):
        """Runs the commands side by side; their outputs, each of which must have exited 0."""
        procs = [(args, self.start(args, subprocess.PIPE)) for args in argsList]
        outputs = []
        for args, p in procs:
            out, err = p.communicate(timeout=60)
            if p.returncode != 0:
                raise Failure(f"korvana {' '.join(args)} exited {p.returncode}: {err.strip()}")
            outputs.append(out)
        return outputs


def Digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest() if path.exists() else None


def WorkFiles(folder):
    return sorted(str(p) for p in folder.rglob("*") if WORK_FILE.search(p.name))


def NoWorkFilesLeft(folder):
    """Raises Failure when work files are left in the data folder; they are removed so
    that later rounds see only their own."""
    left = WorkFiles(folder)
    for path in left:
        os.remove(path)
    if left:
        raise Failure(f"work files left after the next command: {left}")


class ChartFile:
    """The chart file under test and what it is known to hold: (name, list line, memo) per chart."""

    def __init__(self, korvana, rng):
        self.k = korvana
        self.rng = rng
        self.path = korvana.home / "userdata" / "kill.cht"
        self.memoPath = self.path.with_suffix(".chm")
        self.charts = []
        self.nextName = 1
        self.verified = {}  # file digests -> the memos read from those bytes

    def NewChartArgs(self):
        name = f"Kill chart {self.nextName:03d}"
        self.nextName += 1
        place, country, zone, lat, lon = self.rng.choice(PLACES)
        day, month, year = self.rng.randint(1, 28), self.rng.randint(1, 12), self.rng.randint(1900, 2030)
        hour, minute = self.rng.randint(0, 23), self.rng.randint(0, 59)
        return name, ["charts", "add", str(self.path), "--name", name, "--date", f"{day}.{month}.{year}",
                      "--time", f"{hour}:{minute:02d}", "--zone", zone, "--lat", lat, "--lon", lon,
                      "--place", place, "--country", country]

    def NewMemo(self, tag):
        # From empty (clears the memo) to several 28-character records.
        if self.rng.random() < 0.15:
            return ""
        words = [self.rng.choice(MEMO_WORDS) for _ in range(self.rng.randint(0, 20))]
        return " ".join([tag] + words)

    def MemoArgs(self, number, text):
        return ["charts", "memo", str(self.path), str(number), "--set", text]

    def ReadState(self):
        """The charts as the program reads them: `charts list` (the next ordinary command, which
        also removes stale work files), then each chart's memo."""
        r = self.k.run(["charts", "list", str(self.path)])
        if r.returncode != 0:
            raise Failure(f"charts list exited {r.returncode}: {r.stderr.strip()}")
        lines = [line for line in r.stdout.splitlines() if " | " in line]
        entries = []
        for i, line in enumerate(lines, 1):
            number, rest = line.split(" | ", 1)
            if number != str(i) or "(damaged)" in rest:
                raise Failure(f"charts list shows a damaged or misnumbered chart: {line}")
            entries.append(rest)
        if f"count: {len(entries)}" not in r.stdout:
            raise Failure(f"charts list count does not match its lines:\n{r.stdout}")
        key = (Digest(self.path), Digest(self.memoPath))
        memos = self.verified.get(key)
        if memos is None:
            shown = self.k.outputs([["charts", "memo", str(self.path), str(i)] for i in range(1, len(entries) + 1)])
            memos = ["" if text == NO_MEMO + "\n" else text.removesuffix("\n") for text in shown]
            self.verified[key] = memos
        return [(rest.split(" | ", 1)[0], rest, memo) for rest, memo in zip(entries, memos)]

    @staticmethod
    def Matches(state, expected):
        """Expected entries with no list line (charts just added) match on name and memo."""
        return len(state) == len(expected) and all(
            s[0] == e[0] and s[2] == e[2] and (e[1] is None or s[1] == e[1]) for s, e in zip(state, expected))

    def Check(self, outcomes):
        """Reads the state and returns the name of the outcome it equals; raises Failure
        when it equals none (a lost or changed chart or memo). The state read becomes the
        known state."""
        state = self.ReadState()
        NoWorkFilesLeft(self.k.home)
        for name, expected in outcomes:
            if self.Matches(state, expected):
                self.charts = state
                return name
        found = [f"{n} | {m!r}" for n, _, m in state]
        differences = []
        for name, expected in outcomes:
            wanted = [f"{n} | {m!r}" for n, _, m in expected]
            diff = difflib.unified_diff(wanted, found, f"expected ({name})", "found", n=0, lineterm="")
            differences.append("\n".join(diff))
        self.charts = state
        raise Failure("the chart file holds none of the expected states:\n" + "\n".join(differences))

    def Added(self, name):
        return self.charts + [(name, None, "")]

    def Deleted(self, number):
        return self.charts[:number - 1] + self.charts[number:]

    def WithMemo(self, number, text):
        changed = list(self.charts)
        name, line, _ = changed[number - 1]
        changed[number - 1] = (name, line, text)
        return changed

    def Resync(self):
        """After a failed round: the state as read becomes the known state."""
        self.charts = self.ReadState()


class CompiledPair:
    """The compiled report and section index of a report set, compiled from two sources
    whose pairs differ in both files."""

    def __init__(self, korvana, chartFile):
        self.k = korvana
        self.chartFile = chartFile
        self.bin = korvana.home / "traditional.bin"
        self.ind = korvana.home / "traditional.ind"
        first = korvana.home / "source" / "traditional.txt"
        second = first.with_name("traditional_extra.txt")
        second.write_text(first.read_text(encoding="latin-1") + EXTRA_SECTION, encoding="latin-1")
        self.sources = [first, second]
        self.pairs = []
        for source in self.sources:
            self.k.ok(self.Args(source))
            self.pairs.append((Digest(self.bin), Digest(self.ind)))
        if self.pairs[0][0] == self.pairs[1][0] or self.pairs[0][1] == self.pairs[1][1]:
            raise Failure("the two sources compile to pairs that do not differ in both files")
        self.current = 1

    def Restore(self):
        """After a failed round: the current version compiled again whole."""
        self.k.ok(self.Args(self.sources[self.current]))

    def Args(self, source):
        return ["compile", str(source), "-o", str(self.bin)]

    def Reports(self):
        """How `korvana report` takes the pair: 'refused' (non-zero, with a message) or 'accepted'."""
        r = self.k.run(["report", "--set", "traditional.swp", "--chart", f"{self.chartFile.path}:1", "-o",
                        str(self.k.scratch / "mixed.rtf")])
        return "refused" if r.returncode != 0 and r.stderr.strip() else "accepted"

    def Check(self, target):
        """'old pair' or 'new pair', or 'mixed pair' when the interruption fell between the
        two renames and `report` refuses the pair (it is then compiled again whole); raises
        Failure for a file that is neither compiled version or a mixed pair report takes."""
        self.chartFile.ReadState()  # the next ordinary command
        NoWorkFilesLeft(self.k.home)
        found = (Digest(self.bin), Digest(self.ind))
        if found == self.pairs[self.current]:
            return "old pair"
        if found == self.pairs[target]:
            self.current = target
            return "new pair"
        known = {d for pair in self.pairs for d in pair}
        if found[0] in known and found[1] in known:
            newer = "new .bin" if found[0] == self.pairs[target][0] else "old .bin"
            if self.Reports() != "refused":
                raise Failure(f"report wrote a report from a mixed pair ({newer})")
            outcome = f"mixed pair ({newer}), refused"
            self.k.ok(self.Args(self.sources[target]))
            self.current = target
            return outcome
        raise Failure(f"compiled pair matches neither version: {found}")


class Tally:
    def __init__(self, seed):
        self.seed = seed
        self.outcomes = Counter()
        self.workFilesLeft = Counter()  # rounds whose kill left a work file behind
        self.failures = 0

    def Print(self):
        """Per writer: the rounds, how many were killed and what each left; then the
        parallel and held-lock runs and the failures."""
        for command in KILLED_COMMANDS:
            mine = {(ended, outcome): n for (c, ended, outcome), n in self.outcomes.items() if c == command}
            killed = sum(n for (ended, _), n in mine.items() if ended == "killed")
            print(f"{command}: {sum(mine.values())} rounds, {killed} killed, "
                  f"{self.workFilesLeft[command]} of them leaving a work file (removed by the next command)")
            for (ended, outcome), n in sorted(mine.items()):
                print(f"  {ended:9} {outcome:40} {n:4}")
        for group in ("parallel", "lock held"):
            for (c, command, outcome), n in sorted(self.outcomes.items()):
                if c == group:
                    print(f"{group} {command}: {outcome} {n}")
        print(f"failures: {self.failures}")

    def Fail(self, where, error):
        self.failures += 1
        print(f"FAIL seed {self.seed}, {where}: {error}", flush=True)


def Timed(korvana, args):
    started = time.monotonic()
    korvana.ok(args)
    return time.monotonic() - started


def KillAfter(korvana, args, delay):
    """Starts the command, kills it after `delay` seconds; returns 'killed' or 'finished'.
    A command that finished before the kill must have succeeded."""
    p = korvana.start(args)
    time.sleep(delay)
    p.send_signal(signal.SIGKILL)
    _, err = p.communicate()
    if p.returncode == -signal.SIGKILL:
        return "killed"
    if p.returncode != 0:
        raise Failure(f"exited {p.returncode} without being killed: {err.strip()}")
    return "finished"


def KeepBetween(chartFile, low, high):
    """Keeps the chart file small but never short of charts to delete: outside low..high
    it is brought to the middle (charts added with a memo, or the last ones deleted), with
    one check at the end."""
    middle = (low + high) // 2
    expected = chartFile.charts
    if len(expected) < low:
        while len(expected) < middle:
            name, args = chartFile.NewChartArgs()
            memo = chartFile.NewMemo(f"memo of {name}")
            chartFile.k.ok(args)
            chartFile.k.ok(chartFile.MemoArgs(len(expected) + 1, memo))
            expected = expected + [(name, None, memo)]
    elif len(expected) > high:
        while len(expected) > middle:
            chartFile.k.ok(["charts", "delete", str(chartFile.path), str(len(expected))])
            expected = expected[:-1]
    else:
        return
    chartFile.Check([("kept small", expected)])


def KillRounds(korvana, chartFile, pair, rng, tally, rounds):
    """Part one: each writer killed `rounds` times at a random moment."""

    def AddRound():
        KeepBetween(chartFile, 10, 15)
        name, args = chartFile.NewChartArgs()
        return args, lambda: chartFile.Check([("old", chartFile.charts), ("new", chartFile.Added(name))])

    def DeleteRound():
        KeepBetween(chartFile, 11, 16)
        number = rng.randint(1, len(chartFile.charts))
        return (["charts", "delete", str(chartFile.path), str(number)],
                lambda: chartFile.Check([("old", chartFile.charts), ("new", chartFile.Deleted(number))]))

    def MemoRound():
        number = rng.randint(1, len(chartFile.charts))
        text = chartFile.NewMemo(f"memo {rng.randint(0, 10**6)}")
        if text == chartFile.charts[number - 1][2]:
            text = text + " changed" if text else "changed"
        return (chartFile.MemoArgs(number, text),
                lambda: chartFile.Check([("old", chartFile.charts), ("new", chartFile.WithMemo(number, text))]))

    def CompileRound():
        target = 1 - pair.current
        return pair.Args(pair.sources[target]), lambda: pair.Check(target)

    for command, makeRound in zip(KILLED_COMMANDS, (AddRound, DeleteRound, MemoRound, CompileRound)):
        samples = []
        for _ in range(7):
            args, check = makeRound()
            samples.append(Timed(korvana, args))
            if check() not in ("new", "new pair"):
                raise Failure(f"{command} finished but its change is not there")
        typical = statistics.median(samples)
        longest = 1.25 * typical
        print(f"{command}: typical run {typical * 1000:.1f} ms, "
              f"kills within {longest * 1000:.1f} ms", flush=True)
        for r in range(1, rounds + 1):
            delay = rng.uniform(0, longest)
            try:
                args, check = makeRound()
                ended = KillAfter(korvana, args, delay)
                if WorkFiles(korvana.home):
                    tally.workFilesLeft[command] += 1
                outcome = check()
                if ended == "finished" and outcome.startswith("old"):
                    raise Failure("finished with exit 0 but its change is not there")
                tally.outcomes[(command, ended, outcome)] += 1
            except Failure as e:
                tally.Fail(f"{command} round {r} (kill after {delay * 1000:.2f} ms)", e)
                chartFile.Resync()
                if command == "compile":
                    pair.Restore()


def ParallelRounds(korvana, chartFile, rng, tally, rounds):
    """Part two: two writers of one chart file at once."""

    def Both(argsA, argsB):
        procs = [korvana.start(argsA), korvana.start(argsB)]
        results = []
        for p in procs:
            _, err = p.communicate(timeout=60)
            if p.returncode == 0:
                results.append(True)
            elif err.strip():
                tally.outcomes[("parallel", "lock time-out", GaveUp(err))] += 1
                results.append(False)
            else:
                raise Failure(f"exited {p.returncode} without a message")
        return results

    for r in range(1, rounds + 1):
        try:
            KeepBetween(chartFile, 10, 15)
            (nameA, argsA), (nameB, argsB) = chartFile.NewChartArgs(), chartFile.NewChartArgs()
            doneA, doneB = Both(argsA, argsB)
            new = [(n, None, "") for n, done in ((nameA, doneA), (nameB, doneB)) if done]
            chartFile.Check([("both added", chartFile.charts + new), ("both added", chartFile.charts + new[::-1])])
            tally.outcomes[("parallel", "charts add", "both done" if doneA and doneB else "one timed out")] += 1
        except Failure as e:
            tally.Fail(f"parallel charts add round {r}", e)
            chartFile.Resync()
        try:
            a, b = rng.sample(range(1, len(chartFile.charts) + 1), 2)
            textA, textB = f"parallel {r} first memo", f"parallel {r} second memo, a little longer than one record"
            doneA, doneB = Both(chartFile.MemoArgs(a, textA), chartFile.MemoArgs(b, textB))
            expected = list(chartFile.charts)
            if doneA:
                expected = chartFile.WithMemo(a, textA)
            if doneB:
                expected[b - 1] = (expected[b - 1][0], expected[b - 1][1], textB)
            chartFile.Check([("both set", expected)])
            tally.outcomes[("parallel", "charts memo --set", "both done" if doneA and doneB else "one timed out")] += 1
        except Failure as e:
            tally.Fail(f"parallel charts memo --set round {r}", e)
            chartFile.Resync()


def GaveUp(err):
    """The outcome of a writer that gave up: its last message."""
    return "gave up: " + err.strip().splitlines()[-1].removeprefix("korvana: ").removeprefix("error: ")


def LockHeldRound(korvana, chartFile, tally):
    """Part three: while another program holds the folder lock, a chart and a memo writer
    each give up with a message and change nothing."""
    _, addArgs = chartFile.NewChartArgs()
    memoArgs = chartFile.MemoArgs(1, chartFile.charts[0][2] + " never written")
    folder = os.open(chartFile.path.parent, os.O_RDONLY | os.O_DIRECTORY)
    try:
        fcntl.flock(folder, fcntl.LOCK_EX)
        procs = [korvana.start(addArgs), korvana.start(memoArgs)]
        results = [(p.communicate(timeout=60)[1], p.returncode) for p in procs]
    finally:
        os.close(folder)
    try:
        for (err, code), command in zip(results, ("charts add", "charts memo --set")):
            if code == 0 or "being changed by another program" not in err:
                raise Failure(f"{command} under a held lock exited {code} without saying why: {err.strip()}")
            tally.outcomes[("lock held", command, GaveUp(err))] += 1
        chartFile.Check([("unchanged", chartFile.charts)])
    except Failure as e:
        tally.Fail("writers under a held lock", e)
        chartFile.Resync()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("korvana")
    parser.add_argument("scratch")
    parser.add_argument("--seed", type=int, default=20240611)
    parser.add_argument("--rounds", type=int, default=100, help="kills per command")
    parser.add_argument("--pairs", type=int, default=50, help="parallel rounds per command")
    a = parser.parse_args()

    scratch = Path(a.scratch).resolve()
    shutil.rmtree(scratch, ignore_errors=True)
    scratch.mkdir(parents=True)
    print(f"seed {a.seed}", flush=True)
    started = time.monotonic()
    rng = random.Random(a.seed)
    tally = Tally(a.seed)
    korvana = Korvana(a.korvana, scratch)
    try:
        chartFile = ChartFile(korvana, rng)
        korvana.ok(["charts", "list", "main.cht"])  # seeds the data folder
        korvana.ok(["charts", "create", str(chartFile.path), "--title", "Kill test"])
        chartFile.Check([("created", [])])
        KeepBetween(chartFile, 12, 16)
        pair = CompiledPair(korvana, chartFile)
        KillRounds(korvana, chartFile, pair, rng, tally, a.rounds)
        ParallelRounds(korvana, chartFile, rng, tally, a.pairs)
        LockHeldRound(korvana, chartFile, tally)
    except Failure as e:
        tally.Fail("setup or restore step", e)

    print(f"\nseed {a.seed}: {time.monotonic() - started:.0f} s")
    tally.Print()
    if tally.failures == 0:
        shutil.rmtree(scratch, ignore_errors=True)
    return 1 if tally.failures else 0


if __name__ == "__main__":
    sys.exit(main())
