#!/usr/bin/env python3
"""Ratios of each benchmark case to its floor from Google Benchmark JSON
output of interleaved repetitions (--benchmark_repetitions=N
--benchmark_enable_random_interleaving=true --benchmark_out=FILE).

Usage: ratios.py FILE.json CASE=FLOOR ...
For every pair, round i's ratio is case run i over floor run i (real time);
prints the case's median time and range, the floor's median time, and the
median and range of the ratios."""
import json
import statistics
import sys


def runs(doc):
    out = {}
    for b in doc['benchmarks']:
        if b.get('run_type') != 'iteration':
            continue
        name = b['run_name'] if 'run_name' in b else b['name']
        out.setdefault(name, []).append(b['real_time'])
    return out


def main():
    doc = json.load(open(sys.argv[1]))
    r = runs(doc)
    for pair in sys.argv[2:]:
        case, floor = pair.split('=')
        c, f = r.get(case), r.get(floor)
        if not c or not f:
            print('%-40s missing' % pair)
            continue
        ratios = [a / b for a, b in zip(c, f)]
        print('%-42s %9.2f ms (%.2f-%.2f)  %-40s %9.2f ms  ratio %5.2f (%.2f-%.2f, %d rounds)' % (
            case, statistics.median(c), min(c), max(c), floor, statistics.median(f), statistics.median(ratios),
            min(ratios), max(ratios), len(ratios)))


main()
