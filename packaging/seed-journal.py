#!/usr/bin/env python3
"""Writes a practice journal of three weeks for the screenshots: Anna practises mental
arithmetic, times tables and copying most afternoons, and makes fewer errors as time goes on.
Usage: seed-journal.py FILE (an existing file is replaced)."""
import datetime
import os
import random
import sqlite3
import sys
import uuid

SCHEMA = [
    "CREATE TABLE sessions (id TEXT PRIMARY KEY, child TEXT NOT NULL, exercise INTEGER NOT NULL, "
    "practice INTEGER NOT NULL, started BIGINT NOT NULL, utc_offset INTEGER NOT NULL, "
    "day INTEGER NOT NULL, ended BIGINT, seconds INTEGER NOT NULL, tasks INTEGER NOT NULL, "
    "errors INTEGER NOT NULL, points_start BIGINT NOT NULL, points_end BIGINT NOT NULL, ending TEXT)",
    "CREATE TABLE tasks (id TEXT PRIMARY KEY, session_id TEXT NOT NULL REFERENCES sessions (id), "
    "child TEXT NOT NULL, exercise INTEGER NOT NULL, number INTEGER NOT NULL, prompt TEXT NOT NULL, "
    "finished BIGINT NOT NULL, utc_offset INTEGER NOT NULL, day INTEGER NOT NULL, "
    "seconds INTEGER NOT NULL, errors INTEGER NOT NULL, points BIGINT NOT NULL, help INTEGER NOT NULL)",
    "CREATE INDEX sessions_by_child ON sessions (child, started)",
    "CREATE INDEX tasks_by_exercise ON tasks (child, exercise, day, errors)",
    "PRAGMA user_version = 1",
]

# Tasks of the shipped task files, so that "Diese Aufgaben üben" finds them.
PROMPTS = {
    9: ["97 – 29 =", "233 + 737 =", "79 · 7 =", "66 + 27 =", "870 – 61 =", "47 · 8 =", "72 + 28 ="],
    11: ["7 · 8 =", "6 · 9 =", "8 · 8 =", "4 · 7 =", "9 · 7 =", "3 · 6 =", "8 · 6 ="],
    1: ["Der Hund spielt im Garten mit dem Ball.", "Meine Katze liegt gern auf dem Sofa.",
        "Im Herbst fallen die bunten Blätter von den Bäumen."],
}
HARD = {"7 · 8 =", "9 · 7 =", "79 · 7 =", "870 – 61 =", "47 · 8 =",
        "Im Herbst fallen die bunten Blätter von den Bäumen."}


def julian(day):
    return day.toordinal() + 1721425


def main(path):
    if os.path.exists(path):
        os.remove(path)
    random.seed(7)
    db = sqlite3.connect(path)
    for statement in SCHEMA:
        db.execute(statement)
    offset = 3600
    zone = datetime.timezone(datetime.timedelta(seconds=offset))
    today = datetime.datetime.now(zone).date()
    points = {1: 1200, 9: 1800, 11: 1500}
    for back in range(20, -1, -1):
        day = today - datetime.timedelta(days=back)
        if day.weekday() == 6 or random.random() < 0.2:
            continue
        start = datetime.datetime.combine(day, datetime.time(15, 30), zone)
        for exercise in random.sample([9, 11, 1], k=random.choice([1, 2, 2, 3])):
            practice = 0
            session = str(uuid.uuid4())
            count = random.randint(8, 16) if exercise != 1 else random.randint(3, 6)
            # Yesterday the hard ones of mental arithmetic were practised on their own.
            if back == 1 and exercise == 9:
                practice, count = 1, 6
            errors_total = 0
            gained = 0
            at = start
            rows = []
            for number in range(1, count + 1):
                prompt = random.choice(sorted(HARD & set(PROMPTS[exercise])) if practice
                                       else PROMPTS[exercise])
                chance = (0.55 if prompt in HARD else 0.2) * (0.4 + back / 30)
                errors = sum(random.random() < chance for _ in range(3))
                seconds = random.randint(4, 12) if exercise != 1 else random.randint(20, 45)
                earned = max(0, 12 - 4 * errors)
                at += datetime.timedelta(seconds=seconds + 1)
                rows.append((str(uuid.uuid4()), session, "Anna", exercise, number, prompt,
                             int(at.timestamp()), offset, julian(day), seconds, errors, earned, 0))
                errors_total += errors
                gained += earned
            db.execute("INSERT INTO sessions VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       (session, "Anna", exercise, practice, int(start.timestamp()), offset, julian(day),
                        int(at.timestamp()), int((at - start).total_seconds()), count,
                        errors_total, points[exercise], points[exercise] + gained, "ended"))
            db.executemany("INSERT INTO tasks VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)", rows)
            points[exercise] += gained
            start = at + datetime.timedelta(minutes=2)
    db.commit()
    db.close()


if __name__ == "__main__":
    main(sys.argv[1])
