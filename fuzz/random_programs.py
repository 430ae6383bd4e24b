#!/usr/bin/env python3
"""Runs random whole programs through the headless runner, side by side, for a
fixed time, and reports every run that crashed, hung past the statement budget
or grew past the memory limit.

    fuzz/random_programs.py QUORVATINE SECONDS [--workers N] [--out FOLDER]

Programs are made from the language's own tables (every statement word and
every function with its argument rules), with odd numbers, huge texts, deep
nesting, subs, labels and event handlers. Each runs in a new empty folder as
the user "nobody" when started as root, with the simulated port space and no
network peer, under a statement budget. A finding is kept in FOLDER (default
fuzz-findings/) with what the runner printed; the summary counts programs,
runs per second, the slowest run and the largest resident size.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VOCABULARY = os.path.join(ROOT, "interpreter", "vocabulary")

# A statement may legally take a while (a text of hundreds of megabytes, a
# beep); the budget is small enough that a run of such statements still ends
# well inside the time that marks a hang.
BUDGET = 1000
HANG_SECONDS = 120
MEMORY_LIMIT_KB = 2 * 1024 * 1024
# The runner's own bound of a run's memory, under the limit above with room
# for what it takes to end the run (a sanitized build counts its shadow memory
# too).
RUN_MEMORY_MB = 1536

# Words that start other programs, send mail or change the current folder:
# a random program must stay inside its own folder and this machine.
EXCLUDED = {"spawn", "sendemail", "dirset", "dirremove", "printscr", "printersetup", "shell",
            # A beep lasts a fifth of a second whatever it is given: a loop of
            # them is slow by design.
            "beep"}
# Words that wait for as long as they are asked: their numbers stay small, so
# that a run's length says something about the interpreter, not the request.
WAITS = {"delay", "sound", "microdelay", "rspeed", "playsong", "waitkey", "waitnokey", "waitnokeye",
         "settimerperiod", "beep"}
BLOCK_WORDS = {"if", "else", "elseif", "endif", "then", "repeat", "until", "while", "wend", "gosub", "call",
               "return", "for", "to", "step", "next", "break", "continue", "goto", "and", "or", "xor", "not",
               "band", "bor", "bxor", "bnot", "mod", "sub", "endsub", "end", "exit", "terminate", "onerror"}

ODD_NUMBERS = ["0", "-1", "1", "2147483647", "-2147483648", "2147483648", "1e300", "-1e300", "1e-320",
               "4294967296", "0.5", "-0.5", "65535", "65536", "360", "-360", "800", "600", "99999999",
               "maxinteger()", "3.14159", "1e18", "-9999"]
ODD_TEXTS = ['""', '"a"', '"abc"', '" "', '"0"', '"-1"', '"1e999"', '"%d%s%n"', '"\\\\"', '"x.bmp"', '"t.txt"',
             '"a,b,,c"', '"((a|b)*)*c"', 'srepeat("x", 10000)', 'spaces(1000)', 'char(0)', 'char(255)', '"[a-z]+"',
             '"12:30:00"', '"2024-02-30"', '"01/01/1900"']
# Texts of megabytes, now and then: every statement that copies one takes
# milliseconds, so they are rare enough for the budget to end a run in time.
HUGE_TEXTS = ['srepeat("x", 1000000)', 'srepeat("ab", 3000000)', 'spaces(20000000)']


def read_vocabulary():
    statements = []
    with open(os.path.join(VOCABULARY, "statements.inc")) as f:
        for m in re.finditer(r'^STATEMENT(?:_ALIAS)?\(\w+, "([^"]+)"', f.read(), re.M):
            word = m.group(1)
            if word not in BLOCK_WORDS and word not in EXCLUDED and re.fullmatch(r"[a-z_][a-z0-9_]*", word):
                statements.append(word)
    functions = []
    with open(os.path.join(VOCABULARY, "functions.inc")) as f:
        pattern = r'^FUNCTION(?:_ALIAS)?\(\w+, "([^"]+)", (?:\d+, )?(\d+), (\d+), -?\d+, "([a-z]*)"'
        for m in re.finditer(pattern, f.read(), re.M):
            word, least, most, signature = m.group(1), int(m.group(2)), int(m.group(3)), m.group(4)
            if word not in EXCLUDED:
                functions.append((word, least, most, signature))
    return statements, functions


class Maker:
    def __init__(self, rng, statements, functions):
        self.rng = rng
        self.statements = statements
        self.functions = functions
        self.variables = ["a", "b", "c", "s", "t", "n", "x", "y"]
        self.labels = []
        self.subs = []

    def number(self, small=False):
        r = self.rng
        if small:
            return str(r.randint(1, 2))
        if r.random() < 0.4:
            return r.choice(ODD_NUMBERS)
        return str(r.choice([r.randint(-10, 10), r.randint(0, 800), r.uniform(-1000, 1000)]))

    def text(self):
        r = self.rng
        if r.random() < 0.01:
            return r.choice(HUGE_TEXTS)
        if r.random() < 0.5:
            return r.choice(ODD_TEXTS)
        return '"' + "".join(r.choice("abcxyz019 .,;:-+*") for _ in range(r.randint(0, 12))) + '"'

    def expression(self, depth=0, kind=None):
        r = self.rng
        kind = kind or r.choice("ns")
        roll = r.random()
        if depth > 3 or roll < 0.3:
            if r.random() < 0.3:
                return r.choice(self.variables)
            return self.number() if kind == "n" else self.text()
        if roll < 0.65:
            return self.call(depth + 1)
        if kind == "n":
            op = r.choice(["+", "-", "*", "/", "^", "mod", "band", "=", "<", "<>", "and", "or"])
            return "(" + self.expression(depth + 1, "n") + " " + op + " " + self.expression(depth + 1, "n") + ")"
        return "(" + self.expression(depth + 1, "s") + " + " + self.expression(depth + 1, "s") + ")"

    def call(self, depth):
        word, least, most, signature = self.rng.choice(self.functions)
        count = self.rng.randint(least, max(least, most))
        if self.rng.random() < 0.05:
            count = self.rng.randint(0, 12)  # a wrong count of arguments
        args = []
        for k in range(count):
            letter = signature[k] if k < len(signature) else self.rng.choice("ns")
            args.append(self.expression(depth, "s" if letter == "s" else "n"))
        return word + "(" + ", ".join(args) + ")"

    def statement(self):
        r = self.rng
        word = r.choice(self.statements)
        count = r.choice([0, 1, 1, 2, 2, 3, 4, 5, 6, 8])
        if word in WAITS:
            # Without an argument a delay lasts a second: always give one.
            args = [self.number(small=True) for _ in range(max(1, min(count, 2)))]
        else:
            args = [self.expression(1) for _ in range(count)]
        return word + (" " + ", ".join(args) if args else "")

    def line(self, depth):
        r = self.rng
        roll = r.random()
        v = r.choice(self.variables)
        if roll < 0.45:
            return [self.statement()]
        if roll < 0.6:
            return [v + " " + r.choice(["=", "+=", "-=", "*="]) + " " + self.expression()]
        if roll < 0.63:
            return [v + r.choice(["++", "--"])]
        if depth > 40:
            return [self.statement()]
        if roll < 0.7:
            return ["if " + self.expression(1, "n") + " then"] + self.block(depth) + \
                   (["else"] + self.block(depth) if r.random() < 0.5 else []) + ["endif"]
        if roll < 0.75:
            return ["for " + v + " = " + self.number() + " to " + self.number() +
                    (" step " + self.number() if r.random() < 0.3 else "")] + self.block(depth) + ["next"]
        if roll < 0.79:
            return ["while " + self.expression(1, "n")] + self.block(depth) + ["wend"]
        if roll < 0.82:
            return ["repeat"] + self.block(depth) + ["until " + self.expression(1, "n")]
        if roll < 0.86 and self.labels:
            return [r.choice(["gosub ", "goto "]) + r.choice(self.labels)]
        if roll < 0.9 and self.subs:
            return ["call " + r.choice(self.subs) + "(" + self.expression(1) + ")"]
        if roll < 0.93:
            return [r.choice(["onerror", "onkey", "onmouse", "ontimer"]) + " " +
                    (r.choice(self.labels) if self.labels else "x")]
        if roll < 0.95:
            # Deep nesting, in one go.
            n = r.randint(10, 300)
            return ["if 1 then"] * n + [self.statement()] + ["endif"] * n
        return [self.statement()]

    def block(self, depth):
        lines = []
        for _ in range(self.rng.randint(0, 4)):
            lines += ["    " + l for l in self.line(depth + 1)]
        return lines

    def program(self):
        r = self.rng
        self.labels = ["L%d" % k for k in range(r.randint(0, 3))]
        self.subs = ["s%d" % k for k in range(r.randint(0, 2))]
        # An armed error trap lets a program run on past its errors, so that it
        # reaches more than its first bad call; the trap re-arms itself.
        lines = ["onerror Trap"]
        for _ in range(r.randint(1, 25)):
            lines += self.line(0)
        lines += ["end", "Trap:", "onerror Trap", "return"]
        for label in self.labels:
            lines.append(label + ":")
            lines += self.block(0)
            lines.append("return")
        for sub in self.subs:
            lines.append("sub " + sub + "(p)")
            lines += self.block(0)
            lines.append("return " + self.expression())
        return "\r\n".join(lines) + "\r\n"


def run_one(binary, source, work, as_nobody):
    folder = tempfile.mkdtemp(prefix="qv-random-", dir=work)
    os.chmod(folder, 0o777)
    path = os.path.join(folder, "p.bas")
    with open(path, "w", encoding="latin-1") as f:
        f.write(source)
    command = [binary, "--headless", "--max-statements", str(BUDGET), "--max-memory", str(RUN_MEMORY_MB), path]
    if as_nobody:
        command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] + command
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", QUORVATINE_PORTS="simulated", HOME=folder,
                       XDG_CONFIG_HOME=folder, QUORVATINE_COM1="/nonexistent")
    started = time.monotonic()
    process = subprocess.Popen(command, cwd=folder, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, env=environment, start_new_session=True)
    # Standard error is read aside while the run is reaped here, with its own
    # resource use: its peak resident size is the run's, not all the runs'.
    chunks = []
    reader = threading.Thread(target=lambda: chunks.append(process.stderr.read()))
    reader.start()
    hung = False
    while True:
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid:
            break
        if not hung and time.monotonic() - started > HANG_SECONDS:
            hung = True
            os.killpg(process.pid, signal.SIGKILL)
        time.sleep(0.002)
    reader.join()
    process.stderr.close()
    process.returncode = -os.WTERMSIG(status) if os.WIFSIGNALED(status) else os.WEXITSTATUS(status)
    elapsed = time.monotonic() - started
    shutil.rmtree(folder, ignore_errors=True)
    stderr = b"".join(chunks)
    return process.returncode, hung, elapsed, stderr.decode("latin-1", "replace"), usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("seconds", type=float)
    parser.add_argument("--workers", type=int, default=os.cpu_count())
    parser.add_argument("--out", default="fuzz-findings")
    parser.add_argument("--seed", type=int, default=int(time.time()))
    arguments = parser.parse_args()
    # Each run starts in its own folder.
    arguments.binary = os.path.abspath(arguments.binary)
    statements, functions = read_vocabulary()
    os.makedirs(arguments.out, exist_ok=True)
    work = tempfile.mkdtemp(prefix="qv-random-work-")
    os.chmod(work, 0o777)
    as_nobody = os.geteuid() == 0 and shutil.which("setpriv") is not None
    deadline = time.monotonic() + arguments.seconds
    findings = []
    counts = {"programs": 0, "errors": 0, "budget": 0}
    slowest = [0.0]
    largest = [0]

    def worker(index):
        rng = random.Random(arguments.seed * 1000 + index)
        maker = Maker(rng, statements, functions)
        while time.monotonic() < deadline:
            source = maker.program()
            status, hung, elapsed, stderr, peak_kb = run_one(arguments.binary, source, work, as_nobody)
            counts["programs"] += 1
            slowest[0] = max(slowest[0], elapsed)
            largest[0] = max(largest[0], peak_kb)
            crashed = status < 0 or status not in (0, 1, 3) or "Sanitizer" in stderr or "runtime error:" in stderr
            if status == 1:
                counts["errors"] += 1
            if status == 3:
                counts["budget"] += 1
            grew = peak_kb > MEMORY_LIMIT_KB
            if hung or crashed or grew:
                kind = "hang" if hung else "crash" if crashed else "memory"
                name = os.path.join(arguments.out, "%s-%d-%d.bas" % (kind, index, counts["programs"]))
                with open(name, "w", encoding="latin-1") as f:
                    f.write(source)
                with open(name + ".txt", "w") as f:
                    f.write("status %s after %.1f s, peak %d MB\n%s" % (status, elapsed, peak_kb // 1024,
                                                                          stderr[-4000:]))
                findings.append((kind, name, status))
                print("FINDING %s: %s (status %s)" % (kind, name, status), flush=True)

    started = time.monotonic()
    with ThreadPoolExecutor(arguments.workers) as pool:
        list(pool.map(worker, range(arguments.workers)))
    elapsed = time.monotonic() - started
    peak_kb = largest[0]
    shutil.rmtree(work, ignore_errors=True)
    print("random programs: %d in %.0f s (%.1f a second) on %d workers, seed %d" %
          (counts["programs"], elapsed, counts["programs"] / elapsed, arguments.workers, arguments.seed))
    print("  ended by a run-time error: %d, by the statement budget: %d; slowest run %.1f s; "
          "largest resident size %.0f MB" % (counts["errors"], counts["budget"], slowest[0], peak_kb / 1024))
    print("  findings: %d" % len(findings))
    if peak_kb > MEMORY_LIMIT_KB:
        print("  a run grew past %d MB" % (MEMORY_LIMIT_KB // 1024))
        return 1
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
