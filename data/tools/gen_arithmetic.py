#!/usr/bin/env python3
"""Generate the arithmetic task files in data/.

Each task is two lines: the question as printed in a German primary-school
book (e.g. "7 · 8 =") and the answer (digits only). Files are written in
Windows-1252 with CR LF line endings.

Usage: python3 data/tools/gen_arithmetic.py   (run from the repository root)
"""
import random
from pathlib import Path

MUL, DIV, ADD, SUB = "\u00b7", ":", "+", "\u2013"
DATA = Path(__file__).resolve().parent.parent


def write(name, tasks):
    lines = []
    for question, answer in tasks:
        lines += [question, str(answer)]
    with open(DATA / name, "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def chain(parts):
    """Evaluate ['12', '+', '8', ...] left to right (the chains put
    multiplication and division first, so this equals 'Punkt vor Strich')."""
    value = int(parts[0])
    for op, num in zip(parts[1::2], parts[2::2]):
        num = int(num)
        if op == MUL:
            value *= num
        elif op == DIV:
            assert value % num == 0
            value //= num
        elif op == ADD:
            value += num
        else:
            value -= num
        assert value >= 0
    return value


def task(parts):
    return " ".join(map(str, parts)) + " =", chain([str(p) for p in parts])


def times_tables():
    return [task([a, MUL, b]) for a in range(1, 11) for b in range(1, 11)]


def division():
    return [task([a * b, DIV, b]) for b in range(1, 11) for a in range(1, 11)]


def mental(rng):
    def carry(a, b):
        return a % 10 + b % 10 >= 10

    def borrow(a, b):
        return a % 10 < b % 10

    def pick(count, make, ok):
        out = []
        while len(out) < count:
            a, b = make()
            if ok(a, b) and (a, b) not in out:
                out.append((a, b))
        return out

    tasks = []
    adds = (pick(14, lambda: (rng.randint(13, 89), rng.randint(13, 89)), carry)
            + pick(16, lambda: (rng.randint(102, 899), rng.randint(12, 98)), carry)
            + pick(18, lambda: (rng.randint(105, 795), rng.randint(105, 795)),
                   lambda a, b: carry(a, b) and a + b <= 1000))
    subs = (pick(14, lambda: (rng.randint(31, 98), rng.randint(12, 89)),
                 lambda a, b: borrow(a, b) and a - b >= 5)
            + pick(16, lambda: (rng.randint(103, 980), rng.randint(12, 98)), borrow)
            + pick(18, lambda: (rng.randint(300, 1000), rng.randint(104, 899)),
                   lambda a, b: borrow(a, b) and a - b >= 20))
    muls = pick(32, lambda: (rng.randint(12, 99), rng.randint(2, 9)),
                lambda a, b: a % 10 != 0 and a % 11 != 0)
    tasks += [task([a, ADD, b]) for a, b in adds]
    tasks += [task([a, SUB, b]) for a, b in subs]
    tasks += [task([a, MUL, b]) for a, b in muls]
    rng.shuffle(tasks)
    return tasks


def mental_basics(rng, earlier):
    """The easy and middle tasks that mental() leaves out, appended after its
    tasks with a generator of their own, so that neither those tasks nor the
    chains change: plus without carrying and minus without borrowing, whole
    tens and hundreds, times tens and tens divided."""
    asked = {q for q, _ in earlier}
    tasks = []

    def pick(count, make, ok=lambda *_: True):
        picked = []
        while len(picked) < count:
            parts = make()
            pair = frozenset(parts[::2])   # 7 · 80 and 80 · 7 only once
            if not ok(*parts[::2]) or pair in picked:
                continue
            q, a = task(parts)
            if q not in asked:
                asked.add(q)
                picked.append(pair)
                tasks.append((q, a))

    tens = lambda lo, hi: 10 * rng.randint(lo, hi)
    # 43 + 25, 87 – 34: digit by digit, nothing carried
    pick(12, lambda: [rng.randint(11, 78), ADD, rng.randint(11, 68)],
         lambda a, b: a % 10 + b % 10 < 10 and a + b < 100
                      and a % 10 != 0 and b % 10 != 0)
    pick(12, lambda: [rng.randint(25, 99), SUB, rng.randint(11, 78)],
         lambda a, b: a % 10 > b % 10 and a // 10 > b // 10 and b % 10 != 0)
    # 570 + 90, 340 + 250, 720 – 50, 600 – 250, 830 – 460: whole tens up to
    # a thousand
    pick(5, lambda: [tens(11, 89), ADD, tens(2, 9)])
    pick(5, lambda: [tens(11, 79), ADD, tens(11, 79)], lambda a, b: a + b <= 1000)
    pick(4, lambda: [tens(21, 99), SUB, tens(2, 9)])
    pick(3, lambda: [100 * rng.randint(3, 10), SUB, tens(11, 29)])
    pick(3, lambda: [tens(41, 99), SUB, tens(11, 69)], lambda a, b: a - b >= 50)
    # 7 · 80, 30 · 6 and 560 : 7, 480 : 8: the times tables with a nought
    pick(12, lambda: rng.choice([[rng.randint(2, 9), MUL, tens(2, 9)],
                                 [tens(2, 9), MUL, rng.randint(2, 9)]]))
    pick(12, lambda: (lambda a, b: [a * b, DIV, a])(rng.randint(2, 9), tens(2, 9)))
    rng.shuffle(tasks)
    return tasks


def chains(rng):
    def add_sub(parts, value, steps, numbers, limit):
        for _ in range(steps):
            n = rng.choice(numbers)
            if n < value and (value + n > limit or rng.random() < 0.45):
                parts += [SUB, n]
                value -= n
            elif value + n <= limit:
                parts += [ADD, n]
                value += n
            else:
                return None
        return parts

    def point_start():
        kind = rng.randrange(4)
        a, b = rng.randint(2, 10), rng.randint(2, 10)
        if kind == 0:
            return [a, MUL, b], a * b
        if kind == 1:
            return [a * b, DIV, b], a
        if kind == 2:
            c = rng.randint(2, 5)
            return [a * b, DIV, b, MUL, c], a * c
        divisors = [c for c in range(2, 10) if (a * b) % c == 0 and c not in (a, b)]
        if not divisors:
            return None, 0
        c = rng.choice(divisors)
        return [a, MUL, b, DIV, c], a * b // c

    small = list(range(2, 21))
    larger = list(range(11, 61)) + [10, 20, 25, 30, 40, 50, 60, 70, 75, 80]
    seen, tasks = set(), []

    def keep(parts):
        if parts is None:
            return
        q, a = task(parts)
        if q not in seen:
            seen.add(q)
            tasks.append((q, a))

    while len(tasks) < 30:   # grade 2: plus and minus up to 100
        start = rng.choice(small)
        keep(add_sub([start], start, rng.randint(3, 4), small, 100))
    while len(tasks) < 64:   # grades 3-4: plus and minus up to 200
        start = rng.choice(larger)
        keep(add_sub([start], start, rng.randint(3, 5), larger, 200))
    while len(tasks) < 90:   # multiplication/division first, then plus/minus
        parts, value = point_start()
        if parts is None:
            continue
        steps = rng.randint(max(1, 3 - len(parts) // 2), 5 - len(parts) // 2)
        keep(add_sub(parts, value, steps, list(range(2, 31)), 200))
    rng.shuffle(tasks)
    return tasks


def main():
    rng = random.Random(2024)
    write("Malfolgen.txt", times_tables())
    write("Division.txt", division())
    first = mental(rng)
    write("Kopfrechnen.txt", first + mental_basics(random.Random(2025), first))
    write("Kettenaufgaben.txt", chains(rng))


if __name__ == "__main__":
    main()
