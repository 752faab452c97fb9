"""How long the desktop program takes to solve one task, as its console shows it.

    solve_time.py <tocsim> <answers> <prompt> <last> <finished> [tocsim's options...]

Runs `tocsim --no-window` with its console on pipes, writes the answers, waits
until the console has printed the prompt (the question the last answer
answers), then writes the last answer and measures the wall time until the
console prints the line `finished` ("Computation finished" or its Japanese
twin). The answers come with their line feeds, as a pipe passes them on.
Prints the best of three runs in seconds.
"""
import os
import select
import subprocess
import sys
import time

RUNS = 3
LIMIT = 60.0  # seconds a step may take before the run counts as failed


def read_until(proc, out, text, deadline):
    """Reads the program's output into `out` until it holds `text`."""
    want = text.encode("utf-8")
    while want not in out:
        left = deadline - time.monotonic()
        if left <= 0:
            raise RuntimeError(f"the console never printed {text!r}")
        ready, _, _ = select.select([proc.stdout], [], [], left)
        if not ready:
            continue
        chunk = os.read(proc.stdout.fileno(), 65536)
        if not chunk:
            raise RuntimeError(f"the program ended before printing {text!r}")
        out += chunk


def one_run(app, answers, prompt, last, finished, options):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    env.pop("DISPLAY", None)
    proc = subprocess.Popen([app, "--no-window", *options], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, env=env, bufsize=0)
    try:
        out = bytearray()
        proc.stdin.write(answers.encode("utf-8"))
        read_until(proc, out, prompt, time.monotonic() + LIMIT)
        # The prompt may stand earlier in the output too: the program waits
        # once nothing more comes.
        while select.select([proc.stdout], [], [], 0.2)[0]:
            chunk = os.read(proc.stdout.fileno(), 65536)
            if not chunk:
                raise RuntimeError("the program ended before the last answer")
            out += chunk
        start = time.monotonic()
        proc.stdin.write(last.encode("utf-8"))
        read_until(proc, out, finished, start + LIMIT)
        return time.monotonic() - start
    finally:
        proc.stdin.close()
        proc.kill()
        proc.wait()


def main():
    app, answers, prompt, last, finished, *options = sys.argv[1:]
    print(f"{min(one_run(app, answers, prompt, last, finished, options) for _ in range(RUNS)):.3f}")


if __name__ == "__main__":
    sys.exit(main())
