#!/usr/bin/env python3
"""The Windows programs, run under Wine, write what the Linux ones write.

Usage: windows_matches_linux.py LINUX_BIN WINDOWS_BIN PAIRS

Compares, byte for byte, what scenario-writer leaves in its folder, the
embedded package and every dump of it, then
PAIRS route and train texts made from the embedded ones with random
faults: the files a compile writes (with --write-on-error), what check
says and its exit status, and the dumps of the cells and the bank.
"""
import os
import random
import subprocess
import sys
import tempfile

linux_bin, windows_bin, pairs = sys.argv[1], sys.argv[2], int(sys.argv[3])
env = dict(os.environ, WINEDEBUG="-all")
failures = []
# One Wine server for every run, started apart: one that a run starts
# holds that run's output open for seconds after it ends.
subprocess.Popen(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL,
                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def run(program, args, cwd):
    """Exit status, standard output and standard error of one run. They go
    through files: Wine's helper processes, which outlive a run, would hold
    pipes open."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        status = subprocess.run(program + args, cwd=cwd, env=env,
                                stdin=subprocess.DEVNULL, stdout=out,
                                stderr=err, timeout=120).returncode
        out.seek(0)
        err.seek(0)
        return status, out.read(), err.read()


def both(args, cwd, what):
    linux = run([os.path.join(linux_bin, "scenario-tool")], args, cwd)
    windows = run(["wine", os.path.join(windows_bin, "scenario-tool.exe")],
                  args, cwd)
    if linux != windows:
        failures.append(f"{what}: {' '.join(args)} differs")
    return linux


def same_files(a, b, what):
    names = sorted(os.listdir(a)) if os.path.isdir(a) else []
    if names != (sorted(os.listdir(b)) if os.path.isdir(b) else []):
        failures.append(f"{what}: files {names} differ")
        return
    for name in names:
        with open(os.path.join(a, name), "rb") as x, \
                open(os.path.join(b, name), "rb") as y:
            if x.read() != y.read():
                failures.append(f"{what}: {name} differs")


with tempfile.TemporaryDirectory() as work:
    # scenario-writer in a fresh folder each: the Windows one with its
    # window on a virtual display, the Linux one with its console stand-in.
    for side, program in (("writer-linux", "scenario-writer"),
                          ("writer-windows", "scenario-writer.exe")):
        folder = os.path.join(work, side)
        os.makedirs(folder)
        source = os.path.join(linux_bin if side == "writer-linux"
                              else windows_bin, program)
        with open(source, "rb") as built, \
                open(os.path.join(folder, program), "wb") as copy:
            copy.write(built.read())
        os.chmod(os.path.join(folder, program), 0o755)
        command = ([os.path.join(folder, program)] if side == "writer-linux"
                   else ["xvfb-run", "-a", "wine", program])
        status = run(command, [], folder)[0]
        if status != 0:
            failures.append(f"{side} exited with {status}")
        os.remove(os.path.join(folder, program))
    same_files(os.path.join(work, "writer-linux"),
               os.path.join(work, "writer-windows"), "scenario-writer")
    # The embedded package and every dump of each of its files.
    for side, program in (("linux", [os.path.join(linux_bin, "scenario-tool")]),
                          ("windows", ["wine", os.path.join(windows_bin,
                                                            "scenario-tool.exe")])):
        run(program, ["package", "-o", side], work)
    same_files(os.path.join(work, "linux"), os.path.join(work, "windows"),
               "package")
    for name in sorted(os.listdir(os.path.join(work, "linux"))):
        if name.endswith((".dat", ".sim")):
            for form in ("text", "csv", "json"):
                both(["dump", os.path.join("linux", name), "--format", form],
                     work, "dump")
    run([os.path.join(linux_bin, "scenario-tool")],
        ["decompile", "linux", "-o", "texts"], work)
    texts = os.path.join(work, "texts")
    route = [n for n in os.listdir(texts) if n.endswith("_linea.txt")][0]
    train = [n for n in os.listdir(texts) if n.endswith("-.txt")][0]
    route_text = open(os.path.join(texts, route), "rb").read().split(b"\r\n")
    train_text = open(os.path.join(texts, train), "rb").read().split(b"\r\n")

    rng = random.Random(29)
    words = [b"pendenza", b"velocita", b"segnale", b"stazione", b"[curve]",
             b"curvad3", b"rallentamento", b"montagna", b"[generle]",
             b"lunghezza percorso", b"aderenza"]

    def mutate(lines):
        lines = list(lines)
        for _ in range(rng.randint(0, 4)):
            i = rng.randrange(len(lines))
            op = rng.randrange(6)
            if op == 0:
                del lines[i]
            elif op == 1:
                lines.insert(i, lines[rng.randrange(len(lines))])
            elif op == 2:
                parts = lines[i].split(b",")
                if len(parts) > 1:
                    parts[rng.randrange(1, len(parts))] = b" " + str(
                        rng.choice([0, -1, 50, 99999, 1234567, 16])).encode()
                    lines[i] = b",".join(parts)
            elif op == 3:
                lines[i] = lines[i].replace(b",", b";", 1)
            elif op == 4:
                lines[i] = rng.choice(words) + b", " + b", ".join(
                    str(rng.randrange(0, 70000)).encode()
                    for _ in range(rng.randint(0, 4)))
            else:
                lines[i] = lines[i][:rng.randrange(len(lines[i]) + 1)]
        return lines

    for n in range(pairs):
        folder = os.path.join(work, f"p{n:03d}")
        os.makedirs(folder)
        r = mutate(route_text) if n % 3 != 1 else route_text
        t = mutate(train_text) if n % 3 != 0 else train_text
        open(os.path.join(folder, route), "wb").write(b"\r\n".join(r))
        open(os.path.join(folder, train), "wb").write(b"\r\n".join(t))
        for side, program in (
                ("linux", [os.path.join(linux_bin, "scenario-tool")]),
                ("windows", ["wine", os.path.join(windows_bin,
                                                  "scenario-tool.exe")])):
            run(program, ["compile", route, train, "--write-on-error", "-o",
                          side], folder)
        same_files(os.path.join(folder, "linux"),
                   os.path.join(folder, "windows"), f"p{n:03d} compile")
        both(["check", route, train], folder, f"p{n:03d} check")
        for name in sorted(os.listdir(os.path.join(folder, "linux"))
                           if os.path.isdir(os.path.join(folder, "linux"))
                           else []):
            if not name.endswith("_linea.dat"):
                both(["dump", os.path.join("linux", name), "--format", "csv"],
                     folder, f"p{n:03d} dump")

subprocess.run(["wineserver", "-k"], env=env)
for failure in failures[:20]:
    print(failure)
print(f"{pairs} generated pairs and the embedded package: "
      f"{len(failures)} differences")
sys.exit(1 if failures else 0)
