#!/usr/bin/env python3
"""Works out by hand the target fund and the levy of the example site
examples/stortplaats-de-berkenheuvel.xml (written by tools/mkexample), with
the independent model of tests/calc/expected_values.py. example_site_test
expects these figures.

Run: python3 example_site_expected.py          prints the figures
     python3 example_site_expected.py --check  checks that each figure
                                               stands, to the last digit, in
                                               example_site_test.cpp (CTest
                                               runs this)"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(HERE, '..', 'calc'))
from expected_values import Site, fmul, levy, run_checks  # noqa: E402

E = ('eeuwig',)


def berkenheuvel():
    # rates 4 % and 2 %, after-care from 1 January 2030, price level 2012,
    # 18 ha (reporting option 2), overhead 15000 + 3.5 %, communication
    # 4000, unforeseen 10 %, risk 25000, differentiated surcharges.
    s = Site(4, 2, 2030, 1, 1, 2012, 18, 2, 3500, 250, 9000, 15000, 3.5, 4000, 10, 0, 25000, True)
    # Terrein en hekwerk
    s.item('Maaien bermen en taluds', 1, 1, 1, ('rel', 1), E, fmul(4.5, 200), 2, 2)
    s.item('Onderhoud hekwerk en poort', 4, 1, 1, ('rel', 1), E, 1800, 3, 5)
    s.item('Vervangen hekwerk', 5, 1, 1, ('rel', 25), E, fmul(1400, 50), 3, 25, type_=3, perc=5)
    s.item('Zwerfvuil verwijderen langs de terreingrens', 1, 1, 0, ('rel', 1), ('rel', 10), 1200, 2, 1)
    s.item('Onderhoud bluswatervoorziening', 4, 1, 0, ('rel', 1), E, 2500, 3, 10)
    # Peilbuizen
    s.item('Controlemetingen grondwater', 2, 3, 1, ('rel', 1), E, fmul(8, 350), 2, 2)
    s.item('Inspectie peilbuizen', 3, 3, 1, ('rel', 1), E, fmul(12, 20), 2, 1)
    s.item('Vervangen peilbuizen', 5, 3, 1, ('rel', 25), E, fmul(12, 2000), 3, 25, type_=3, perc=5)
    # Drainageleidingen
    s.item('Doorspuiten drainageleidingen', 4, 4, 1, ('rel', 1), E, fmul(2400, 3), 2, 1)
    s.item('Vervangen drainageleidingen', 5, 4, 1, ('rel', 30), E, fmul(2400, 75), 3, 40, type_=2, perc=6)
    # Gasonttrekking, for the first 30 years
    s.item('Onderhoud gasonttrekkingsinstallatie', 4, 5, 1, ('rel', 1), ('rel', 30), 7500, 2, 1)
    s.item('Controlemetingen stortgas', 2, 5, 1, ('rel', 1), ('rel', 30), 1500, 2, 2)
    s.finish()
    return s


def object_bound_levy(s):
    forecast = [(2024, 95), (2025, 90), (2026, 85), (2027, 80), (2028, 60), (2029, 40)]
    return levy(s.dv(), s.rente, s.infl, s.an, forecast)


def test_figures():
    s = berkenheuvel()
    return {'ImportedFromTheSiteListItsTargetFundIsOnScreen':
            [('%s NCW' % name, ncw) for name, ncw, _, _, _ in s.items]
            + [('dv0', s.dv0()), ('dv', s.dv()), ('levy', object_bound_levy(s))]}


if __name__ == '__main__':
    if sys.argv[1:] == ['--check']:
        run_checks([(os.path.join(HERE, 'example_site_test.cpp'), test_figures())])
    s = berkenheuvel()
    for it in s.items:
        print('  item %-45s NCW=%r' % it[:2])
    print('somA_incl=%r somB_incl=%r somC=%r' % (s.somA_incl(), s.somB_incl(), s.somC()))
    print('dv0 (zonder risico)=%r dv (met risico)=%r' % (s.dv0(), s.dv()))
    print('levy (object-bound)=%r' % object_bound_levy(s))
