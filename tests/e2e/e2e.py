#!/usr/bin/python3
"""Runs end-to-end scenarios against the built program.

    e2e.py PROGRAM SUPPLIED [--screens DIR] [--list] [SCENARIO ...]
    e2e.py PROGRAM SUPPLIED --random SECONDS [--seed N]

PROGRAM is build/kvarnis, SUPPLIED the folder build/supplied. Without names,
every scenario of scenarios.py runs, each in a session of its own. Exits 0
when all pass, 1 on a failure, 77 when Xvfb, xdotool, at-spi2-core or
python3-pyatspi are missing (CTest reports a skip).
"""
import argparse
import os
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import kvarnis_e2e as e2e  # noqa: E402
import scenarios  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("supplied")
    parser.add_argument("--screens")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--random", type=float, metavar="SECONDS")
    parser.add_argument("--seed", type=int)
    parser.add_argument("names", nargs="*")
    args = parser.parse_intermixed_args()

    if args.list:
        for name in scenarios.ALL:
            print(name)
        return 0
    try:
        e2e.require_tools()
    except e2e.Skip as reason:
        print("skipped:", reason)
        return e2e.SKIP

    if args.random is not None:
        import randomsession
        try:
            return randomsession.run(args.program, args.supplied, args.random, args.seed)
        except Exception:
            traceback.print_exc()
            print("FAIL random session")
            return 1

    names = args.names or list(scenarios.ALL)
    unknown = [n for n in names if n not in scenarios.ALL]
    if unknown:
        print("no such scenario:", ", ".join(unknown))
        return 2
    if len(names) > 1:
        # Each scenario in a process of its own: the accessibility library
        # stays bound to the first session bus it meets.
        import subprocess
        failed = [name for name in names
                  if subprocess.run([sys.executable, os.path.abspath(__file__), args.program, args.supplied]
                                    + (["--screens", args.screens] if args.screens else []) + [name]).returncode != 0]
        if failed:
            print("failed:", " ".join(failed))
            return 1
        return 0
    failed = []
    for name in names:
        started = time.monotonic()
        try:
            scenarios.ALL[name](args.program, args.supplied, args.screens)
            print("PASS %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
        except e2e.Skip as reason:
            print("skipped:", reason)
            return e2e.SKIP
        except Exception:
            failed.append(name)
            print("FAIL %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
            traceback.print_exc()
    if failed:
        print("failed:", " ".join(failed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
