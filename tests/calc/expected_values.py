#!/usr/bin/env python3
"""Works out by hand the figures that clsDV_test.cpp and clsHeffing_test.cpp
expect of the fixture sites of calc_fixture.cpp (and of the sites those
tests add): the net present value of every cost item, the totals, the sums
and the target fund, and the levies.

Single-precision values are rounded to float32 after every operation on
singles; the discount ratio, powers and the sums' intermediate values are
doubles.

Run: python3 expected_values.py          prints the figures
     python3 expected_values.py --check  checks that each figure stands, to
                                         the last digit, in the test that
                                         expects it (CTest runs this)"""
import math
import os
import re
import struct
import sys


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def fadd(a, b): return f32(f32(a) + f32(b))
def fsub(a, b): return f32(f32(a) - f32(b))
def fmul(a, b): return f32(f32(a) * f32(b))
def fdiv(a, b): return f32(f32(a) / f32(b))


class Site:
    def __init__(self, rente_pct, infl_pct, year, month, day, pp, area, rapeval, rmin, rperha, rmax,
                 basis, basisperc, comm, onvz, ontw, risico, gediff, clmin=3500.0):
        self.rente = fdiv(rente_pct, 100)
        self.infl = fdiv(infl_pct, 100)
        self.an = f32(year + (month - 1) / 12 + (1 / 24 if day == 16 else 0))
        self.pp = pp
        self.area = f32(area)
        self.rapeval = rapeval
        self.rmin, self.rperha, self.rmax = f32(rmin), f32(rperha), f32(rmax)
        self.basis = f32(basis)
        self.basisperc = fdiv(basisperc, 100)
        self.comm = f32(comm)
        self.onvz = fdiv(onvz, 100)
        self.ontw = fdiv(ontw, 100)
        self.risico = f32(risico)
        self.gediff = gediff
        self.clmin = f32(clmin)
        self.d = (1 + self.rente_infl()[1]) / (1 + self.rente_infl()[0])
        self.pf = f32(f32(1 + self.infl) ** float(fsub(self.an, pp)))
        self.rub = [0.0] * 7
        self.cat = [0.0] * 8
        self.qor = [0.0] * 3
        self.toeslagen = []
        self.items = []

    def rente_infl(self):
        return float(self.rente), float(self.infl)

    def factor(self, freq, t0, t1, interval=0):
        d = self.d
        if freq == 1:
            if t0 < 0.5:
                return 0.0, 'nvt', '-'
            return f32(d ** (t0 - 0.5)), math.floor(t0 + 0.5), '-'
        if freq == 2:
            while t0 < 0.5:
                t0 = fadd(t0, 1)
            if t1 < t0:
                return 0.0, 'nvt', 'nvt'
            n = math.floor(fadd(fsub(t1, t0), 1))
            if d == 1.0:
                f = float(n)
            else:
                f = f32(d ** (t0 - 0.5) * (1 - d ** n) / (1 - d))
            return f, math.floor(t0 + 0.5), math.floor(t1 + 0.5)
        if freq == 3:
            if t1 < 0.5:
                return 0.0, 'nvt', 'nvt'
            f = 0.0
            first = None
            last = None
            t = t0
            while t <= t1:
                if t > 0:
                    if first is None:
                        first = math.floor(t)
                    f = f32(f + d ** (t - 0.5))
                last = math.floor(t)
                t = fadd(t, interval)
            if last is None or last < 1:
                return f, 'nvt', 'nvt'
            return f, first, last
        raise ValueError

    def item(self, name, rubric, cat, isqor, start, end, kosten, freq, interval=0, combineer=False,
             type_=0, aantal=None, perc=None, startba=None, eindba=None, obj=''):
        if combineer:
            self.items.append((name, 0.0, None, None, None))
            return
        # start: ('abs', year) or ('rel', year)
        t0 = fadd(fsub(start[1], self.an), 1) if start[0] == 'abs' else f32(start[1])
        if eindba is not None:
            t1 = fsub(fadd(t0, eindba), 1)
        elif end[0] == 'abs':
            t1 = fadd(fsub(end[1], self.an), 1)
        elif end[0] == 'rel':
            t1 = f32(end[1])
        else:
            t1 = 1000.0
        if startba is not None:
            t0 = fsub(fadd(t0, startba), 1)
        f, first, last = self.factor(freq, t0, t1, interval)
        if freq == 2:
            f = fmul(f, interval)
        X = fmul(f, self.pf)
        ncw = fmul(kosten, X)
        if self.gediff and type_:
            kop = "'%s: %s'" % (obj, name)
            if type_ == 1:
                area = f32(aantal or 0)
                design = ontwerp(area)
                p = directie(area)
                self.toeslagen.append((design, fmul(X, design)))
                w = fmul(fdiv(p, 100), kosten)
                self.toeslagen.append((w, fmul(X, w)))
            else:
                w = fmul(fdiv(perc, 100), kosten)
                self.toeslagen.append((w, fmul(X, w)))
        self.rub[rubric] = fadd(self.rub[rubric], ncw)
        self.cat[cat] = fadd(self.cat[cat], ncw)
        self.qor[isqor] = fadd(self.qor[isqor], ncw)
        self.items.append((name, ncw, X, first, last))

    def finish(self):
        if self.rapeval == 1:
            self.rapjaar = self.rmin
        elif self.rapeval == 2:
            self.rapjaar = fadd(self.clmin, fmul(fsub(self.area, 10), self.rperha))
        elif self.rapeval == 3:
            self.rapjaar = self.rmax
        else:
            self.rapjaar = 0.0
        F, _, _ = self.factor(2, 1.0, 1000.0)
        self.F = F
        self.rapkap = fmul(fmul(F, self.rapjaar), self.pf)
        self.commkap = fmul(fmul(F, self.comm), self.pf)
        self.basiskap = fmul(fmul(F, self.basis), self.pf)
        self.apptotaal = fadd(self.appvar(), self.basiskap)

    def somA_excl(self): return f32(sum(float(self.rub[r]) for r in (1, 2, 3, 4)))
    def toeslagA(self): return f32(self.somA_excl() * self.onvz)
    def somA_incl(self): return f32(self.somA_excl() + self.toeslagA())
    def somB_excl(self): return self.rub[5]
    def toeslagB(self):
        if self.gediff:
            return f32(sum(t[1] for t in self.toeslagen))
        return f32(self.somB_excl() * self.ontw)
    def somB_incl(self): return f32(self.somB_excl() + self.toeslagB())
    def appvar(self): return f32((self.somA_incl() + self.somB_incl()) * self.basisperc)
    def somC(self): return f32(self.apptotaal + self.commkap + self.rapkap)
    def dv0(self): return f32(self.somA_incl() + self.somB_incl() + self.somC())
    def dv(self): return f32(self.dv0() + self.risico)


def ontwerp(area):
    for below, amount in ((150000, 110000), (200000, 120000), (250000, 130000), (300000, 135000),
                          (350000, 140000), (400000, 145000), (450000, 150000), (500000, 155000)):
        if area < below:
            return float(amount)
    return 160000.0


def directie(area):
    if area < 200000: return f32(6.5)
    if area < 300000: return f32(6.3)
    if area < 400000: return f32(6.2)
    return 6.0


def show(name, s):
    print('==', name, 'd=%r pf=%r an=%r F=%r' % (s.d, s.pf, s.an, s.F))
    for it in s.items:
        print('  item %-32s NCW=%r X=%r first=%r last=%r' % it)
    print('  rubric', s.rub[1:])
    print('  cat', s.cat[1:])
    print('  qor', s.qor)
    print('  toeslagen', s.toeslagen)
    print('  rapjaar=%r rapkap=%r commkap=%r basiskap=%r apptotaal=%r' %
          (s.rapjaar, s.rapkap, s.commkap, s.basiskap, s.apptotaal))
    print('  somA_excl=%r toeslagA=%r somA_incl=%r' % (s.somA_excl(), s.toeslagA(), s.somA_incl()))
    print('  somB_excl=%r toeslagB=%r somB_incl=%r' % (s.somB_excl(), s.toeslagB(), s.somB_incl()))
    print('  appvar=%r somC=%r dv0=%r dv=%r' % (s.appvar(), s.somC(), s.dv0(), s.dv()))


def alfa():
    s = Site(5, 2, 2030, 7, 16, 2002, 20, 2, 3500, 225, 9000, 15000, 3, 3000, 10, 12, 50000, False)
    s.item('Maaien', 1, 1, 0, ('rel', 1), ('eeuwig',), 1000, 2, 2)
    s.item('Onderhoud hekwerk en poort', 4, 1, 1, ('abs', 2031), ('abs', 2050), fmul(fdiv(10, 100), 20000), 3, 5)
    s.item('Vervangen afdeklaag', 5, 2, 0, ('rel', 10), None, fmul(100, 25), 3, 10, startba=5, eindba=30)
    s.item('Opruimen', 6, 3, 0, ('rel', 3), ('rel', 3), 5000, 1)
    s.item('Controlemetingen grondwater', 2, 3, 2, None, None, 0, 1, combineer=True)
    s.item('Inspectie peilbuizen', 3, 3, 0, ('abs', 2030), ('abs', 2030), 800, 1)
    s.item('Zettingsmetingen', 2, 1, 0, ('abs', 2028), ('abs', 2040), 1200, 2, 1)
    s.finish()
    return s


def beta():
    s = Site(3, 3, 2030, 1, 1, 2008, 8, 1, 3500, 225, 9000, 13000, 3, 2500, 10, 0, 0, True)
    s.item('Vervangen bovenafdichting', 5, 2, 1, ('rel', 75), ('eeuwig',), fmul(160000, 30), 1, type_=1,
           aantal=160000, obj='Bovenafdichting')
    s.item('Vervangen drainageleidingen', 5, 4, 0, ('rel', 25), ('eeuwig',), 100000, 3, 25, type_=2, perc=6.25,
           obj='Drainageleidingen')
    s.item('Vervangen hekwerk', 5, 1, 0, ('rel', 30), ('rel', 30), 20000, 1, type_=3, perc=5,
           obj='Terrein en hekwerk')
    s.item('Maaien bermen', 1, 1, 0, ('rel', 1), ('eeuwig',), 500, 2, 1)
    s.item('Overige kosten', 6, 3, 0, ('rel', 1), ('rel', 10), 100, 2, 1)
    s.item('Controlemetingen grondwater', 2, 3, 1, None, None, 0, 1, combineer=True)
    s.item('Combinatie controlemetingen', 2, 3, 1, ('rel', 1), ('eeuwig',), fmul(4, 500), 2, 2)
    s.finish()
    return s


def gamma():
    s = Site(4, 2, 2032, 1, 1, 2002, 50, 3, 3500, 225, 9000, 12500, 3, 2500, 10, 12, 10000, False)
    s.item('Onderhoud terrein', 4, 1, 0, ('rel', 1), ('eeuwig',), 2000, 2, 1)
    s.finish()
    return s


def delta():
    s = Site(4, 2, 2030, 1, 16, 2002, 5, 1, 3500, 225, 9000, 12500, 3, 2500, 10, 12, 0, False)
    s.item('Vervangen drains', 5, 4, 0, ('rel', 20), ('eeuwig',), 50000, 3, 20)
    s.finish()
    return s


def epsilon():
    # Three walks every 5 years from after-care year 1 that differ only in
    # their end; the price level is the start of after-care, so X is the
    # discounted count.
    s = Site(4, 2, 2030, 1, 1, 2030, 5, 1, 3500, 225, 9000, 12500, 3, 2500, 10, 12, 0, False)
    s.item('Elke 5 jaar tot jaar 12', 4, 1, 0, ('rel', 1), ('rel', 12), 1000, 3, 5)
    s.item('Elke 5 jaar tot jaar 30', 4, 1, 0, ('rel', 1), ('rel', 30), 1000, 3, 5)
    s.item('Elke 5 jaar eeuwigdurend', 4, 1, 0, ('rel', 1), ('eeuwig',), 1000, 3, 5)
    s.finish()
    return s


def zeta():
    # Differentiated surcharges, d = 1 and no price-level factor: one large
    # surcharge of 5.000.000 and twenty of 0,35. In single precision every
    # 0,35 added to 5.000.000 counts as 0,5.
    s = Site(3, 3, 2030, 1, 1, 2030, 8, 1, 3500, 225, 9000, 13000, 3, 2500, 10, 0, 0, True)
    s.item('Vervangen kunstwerk', 5, 1, 0, ('rel', 1), ('rel', 1), 1e8, 1, type_=3, perc=5, obj='Terrein')
    for i in range(1, 21):
        s.item('Vervangen paal %d' % i, 5, 1, 0, ('rel', 1), ('rel', 1), 7, 1, type_=3, perc=5, obj='Terrein')
    s.finish()
    return s


def levy(dvref, rente, infl, tref, forecast):
    S = 0.0
    for year, kton in forecast:
        t = float(fsub(year, tref))
        S += kton * f32(1 + infl) ** t / f32(1 + rente) ** t
    return dvref / (S * 1000)


def levy_gamma_delta(c, d):
    # Equalised levy of Gamma and Delta at Gamma's price-level year 2002.
    tref = 2002.0
    dvref = f32(0.0 + c.dv() / f32(1 + c.rente) ** float(fsub(c.an, tref)))
    dvref = f32(dvref + d.dv() / f32(1 + c.rente) ** float(fsub(d.an, tref)))
    return dvref, levy(dvref, c.rente, c.infl, tref, [(2010, 100), (2011, 500), (2012, 400)])


def levy_alfa(a):
    # Object-bound levy of Alfa: tRef = its start of after-care.
    return levy(a.dv(), a.rente, a.infl, a.an, [(2025, 100), (2026, 150), (2027, 0)])


# ---- the check against the tests ------------------------------------------

_STRING = re.compile(r'"(?:\\.|[^"\\])*"')
_COMMENT = re.compile(r'//[^\n]*')
_NUMBER = re.compile(r'(?<![\w.])(\d+(?:\.\d*)?(?:[eE][+-]?\d+)?)[fF]?(?![\w.])')
_TEST = re.compile(r'^TEST(?:_F|_P)?\(\s*\w+\s*,\s*(\w+)\s*\)', re.M)


def numbers_by_test(path):
    """The number literals of every test in a C++ test file, by test name
    (strings and comments left out)."""
    with open(path, encoding='utf-8') as f:
        text = _COMMENT.sub('', _STRING.sub('""', f.read()))
    marks = list(_TEST.finditer(text))
    tests = {}
    for i, m in enumerate(marks):
        body = text[m.end():marks[i + 1].start() if i + 1 < len(marks) else len(text)]
        tests[m.group(1)] = {float(n) for n in _NUMBER.findall(body)}
    return tests


def check(path, expected):
    """Checks that every figure of `expected` (test name -> [(what, value)])
    stands in that test of the C++ file at `path`; returns the faults."""
    tests = numbers_by_test(path)
    faults = []
    name = os.path.basename(path)
    for test, figures in expected.items():
        if test not in tests:
            faults.append('%s: no test %s' % (name, test))
            continue
        missing = [(what, v) for what, v in figures if float(v) not in tests[test]]
        for what, v in missing:
            faults.append('%s %s: %s %r is not what the test expects' % (name, test, what, v))
        print('%s %s: %d of %d figures as the model has them' % (name, test, len(figures) - len(missing),
                                                                    len(figures)))
    return faults


def item_figures(site, label):
    out = []
    for name, ncw, x, _, _ in site.items:
        if x is not None:
            out += [('%s %s NCW' % (label, name), ncw), ('%s %s X' % (label, name), x)]
    return out


def sums(site, label, names):
    return [('%s %s' % (label, n), getattr(site, n)() if callable(getattr(site, n)) else getattr(site, n))
            for n in names]


def dv_test_figures():
    a, b, c, e, z = alfa(), beta(), gamma(), epsilon(), zeta()
    return {
        'AlfaItemByItem': item_figures(a, 'Alfa') + [('Alfa pf', a.pf)]
        + [('Alfa rubric %d' % r, a.rub[r]) for r in range(1, 7)]
        + [('Alfa category %d' % k, a.cat[k]) for k in (1, 2, 3)]
        + [('Alfa qor %d' % q, a.qor[q]) for q in (0, 1)]
        + sums(a, 'Alfa', ['rapjaar', 'rapkap', 'commkap', 'basiskap', 'apptotaal', 'somA_excl', 'toeslagA',
                           'somA_incl', 'somB_excl', 'toeslagB', 'somB_incl', 'appvar', 'somC', 'dv0', 'dv']),
        'BetaDifferentiatedSurcharges': item_figures(b, 'Beta')
        + [('Beta rubric 5', b.rub[5]), ('Beta rubric 6', b.rub[6]), ('Beta qor 1', b.qor[1])]
        + [('Beta surcharge %d %s' % (i + 1, w), t[j]) for i, t in enumerate(b.toeslagen)
           for j, w in enumerate(('value', 'NCW'))]
        + sums(b, 'Beta', ['rapjaar', 'somA_excl', 'toeslagB', 'somB_incl', 'somC', 'dv0', 'dv']),
        'ReportingOption3AndUnsetOption': sums(c, 'Gamma', ['dv']),
        'VerifyAllesCLWritesOnlyChangedCodes': [('Alfa qor 1', a.qor[1])],
        'WalksThatDifferOnlyInTheirEndKeepTheirOwnFigures': item_figures(e, 'Epsilon')
        + [('Epsilon rubric 4', e.rub[4])] + sums(e, 'Epsilon', ['dv']),
        'SurchargesAreSummedInDoublePrecision': sums(z, 'Zeta', ['toeslagB', 'somB_incl', 'dv']),
        'IntervalOfZeroIsReportedAndEnds': [('Gamma rubric 4', c.rub[4])],
    }


def heffing_test_figures():
    a, c, d = alfa(), gamma(), delta()
    return {
        'ObjectBoundLevyFromTheOwnTargetFund': [('levy Alfa', levy_alfa(a))],
        'EqualisedOverTheProvince': [('levy Gamma+Delta', levy_gamma_delta(c, d)[1])],
    }


def run_checks(checks):
    """Runs (path, expected) checks; exits 1 on any fault."""
    faults = []
    for path, expected in checks:
        faults += check(path, expected)
    for f in faults:
        print('FAULT', f)
    sys.exit(1 if faults else 0)


if __name__ == '__main__':
    if sys.argv[1:] == ['--check']:
        here = os.path.dirname(os.path.abspath(__file__))
        run_checks([(os.path.join(here, 'clsDV_test.cpp'), dv_test_figures()),
                    (os.path.join(here, 'clsHeffing_test.cpp'), heffing_test_figures())])
    a, b, c, d = alfa(), beta(), gamma(), delta()
    for n, s in (('Alfa', a), ('Beta', b), ('Gamma', c), ('Delta', d), ('Epsilon', epsilon()), ('Zeta', zeta())):
        show(n, s)
    print('levy Alfa', repr(levy_alfa(a)))
    dvref, levy_cd = levy_gamma_delta(c, d)
    print('DVref Gamma+Delta', repr(dvref))
    print('levy Gamma+Delta', repr(levy_cd))
