#!/usr/bin/env python3
"""The Windows programs, run under Wine, write what the Linux ones write.

Usage: windows_matches_linux.py LINUX_BIN WINDOWS_BIN PAIRS

Compares, byte for byte, what scenario-writer leaves in its folder, the
embedded package and every dump of it, then
PAIRS route and train texts made from the embedded ones with random
faults: the files a compile writes (with --write-on-error), what check
says and its exit status, and the dumps of the cells and the bank. Checks
too what only Windows does (a read-only file, a name Windows refuses) and
that watch checks again after a save.
"""
import json
import os
import random
import subprocess
import sys
import tempfile
import time

linux_bin, windows_bin = (os.path.abspath(folder) for folder in sys.argv[1:3])
pairs = int(sys.argv[3])
env = dict(os.environ, WINEDEBUG="-all")
failures = []
# One Wine server for every run, started apart: one that a run starts
# holds that run's output open for seconds after it ends.
subprocess.Popen(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL,
                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def run(program, args, cwd, given=b""):
    """Exit status, standard output and standard error of one run, `given`
    on its standard input. They go through files: Wine's helper processes,
    which outlive a run, would hold pipes open."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err, \
            tempfile.TemporaryFile() as into:
        into.write(given)
        into.seek(0)
        status = subprocess.run(program + args, cwd=cwd, env=env,
                                stdin=into, stdout=out,
                                stderr=err, timeout=120).returncode
        out.seek(0)
        err.seek(0)
        return status, out.read(), err.read()


def difference(linux, windows):
    """What differs between two runs' status, output and errors."""
    for name, a, b in zip(("status", "output", "errors"), linux, windows):
        if a != b:
            if name == "status":
                return f"status {a} against {b}"
            at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y),
                      min(len(a), len(b)))
            return (f"{name} from byte {at} of {len(a)} against {len(b)}: "
                    f"{a[at:at + 60]!r} against {b[at:at + 60]!r}")
    return ""


def both(args, cwd, what, given=b""):
    linux = run([os.path.join(linux_bin, "scenario-tool")], args, cwd, given)
    windows = run(["wine", os.path.join(windows_bin, "scenario-tool.exe")],
                  args, cwd, given)
    if linux != windows:
        # A run under Wine on a loaded machine has, rarely, come out
        # different once and the same ever after: told, and run again. A
        # difference of the program shows again.
        print(f"{what}: {' '.join(args)}: {difference(linux, windows)}; "
              "running it again", flush=True)
        windows = run(["wine", os.path.join(windows_bin, "scenario-tool.exe")],
                      args, cwd, given)
    if linux != windows:
        failures.append(f"{what}: {' '.join(args)} differs: "
                        f"{difference(linux, windows)}")
    return linux


def files_difference(a, b):
    """What differs between the files of two folders; "" for nothing."""
    def names(folder):
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    if names(a) != names(b):
        return f"files {names(a)} against {names(b)}"
    for name in names(a):
        with open(os.path.join(a, name), "rb") as x, \
                open(os.path.join(b, name), "rb") as y:
            if x.read() != y.read():
                return f"{name} differs"
    return ""


def same_files(a, b, what):
    difference = files_difference(a, b)
    if difference:
        failures.append(f"{what}: {difference}")


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

    # The language server: a session of an editor that opens both texts,
    # asks for a hover and ends, answered the same.
    def message(content):
        body = json.dumps(content).encode()
        return b"Content-Length: %d\r\n\r\n" % len(body) + body

    def opened(name):
        text = open(os.path.join(texts, name), "rb").read().decode("cp1252")
        return message({"jsonrpc": "2.0", "method": "textDocument/didOpen",
                        "params": {"textDocument": {
                            "uri": "file:///scenari/" + name,
                            "languageId": "scenario", "version": 1,
                            "text": text}}})

    session = (message({"jsonrpc": "2.0", "id": 1, "method": "initialize",
                        "params": {"processId": None, "rootUri": None,
                                   "capabilities": {}}})
               + message({"jsonrpc": "2.0", "method": "initialized",
                          "params": {}})
               + opened(route) + opened(train)
               + message({"jsonrpc": "2.0", "id": 2,
                          "method": "textDocument/hover",
                          "params": {"textDocument": {
                              "uri": "file:///scenari/" + route},
                              "position": {"line": 3, "character": 12}}})
               + message({"jsonrpc": "2.0", "id": 3, "method": "shutdown"})
               + message({"jsonrpc": "2.0", "method": "exit"}))
    both(["lsp"], work, "lsp", session)

    # A folder in the place of a file the compile writes: the same failure,
    # status and message, and the old files as they were.
    for side in ("fault-linux", "fault-windows"):
        os.makedirs(os.path.join(work, side, train.replace("-.txt", ".sim")))
    faults = []
    for side, program in (
            ("fault-linux", [os.path.join(linux_bin, "scenario-tool")]),
            ("fault-windows", ["wine", os.path.join(windows_bin,
                                                    "scenario-tool.exe")])):
        status, out, err = run(program, ["compile", "texts/" + route,
                                         "texts/" + train, "-o", side], work)
        faults.append((status, out, err.replace(side.encode(), b"")))
    if faults[0] != faults[1] or faults[0][0] != 2:
        failures.append(f"a folder in a file's place: {faults}")

    # A file marked read-only where the compile writes: on Windows the
    # owner's mark holds, as a folder that cannot be written holds on
    # Linux: status 2, the file and the cause named, every old file kept.
    windows_tool = ["wine", os.path.join(windows_bin, "scenario-tool.exe")]
    kept = os.path.join(work, "read-only")
    run(windows_tool, ["compile", "texts/" + route, "texts/" + train,
                       "-o", kept], work)
    sim = os.path.join(kept, train.replace("-.txt", ".sim"))
    open(os.path.join(kept, route.replace(".txt", ".dat")), "wb").write(b"old")
    os.chmod(sim, 0o444)
    status, out, err = run(windows_tool, ["compile", "texts/" + route,
                                          "texts/" + train, "-o", kept], work)
    old_plan = open(os.path.join(kept, route.replace(".txt", ".dat")),
                    "rb").read()
    if (status != 2 or b"Permesso negato (errore 13)" not in err
            or os.path.basename(sim).encode() not in err or old_plan != b"old"
            or any(n.endswith(".tmp") for n in os.listdir(kept))):
        failures.append(f"a read-only file: {status} {err} {old_plan[:8]}")
    os.chmod(sim, 0o644)

    # A route name Windows forbids in a file name: refused there (status
    # 2, the name said), written with a warning on Linux.
    said = []
    for side, program in (
            ("name-linux", [os.path.join(linux_bin, "scenario-tool")]),
            ("name-windows", windows_tool)):
        said.append(run(program, ["compile", "texts/" + route,
                                  "texts/" + train, "--route-name", "Val?B",
                                  "--train-number",
                                  train[len(route) - 9:-5],
                                  "--lang", "en", "-o", side], work))
    if (said[0][0] != 0 or b"Windows" not in said[0][1] + said[0][2]
            or said[1][0] != 2 or b"Val?B" not in said[1][2]):
        failures.append(f"a name Windows refuses: {said}")

    # watch: a check at the start and one after each save, until ended.
    watched = os.path.join(work, "watched")
    os.makedirs(watched)
    for name in (route, train):
        open(os.path.join(watched, name), "wb").write(
            open(os.path.join(texts, name), "rb").read())
    with tempfile.TemporaryFile() as out:
        watch = subprocess.Popen(windows_tool + ["watch", route, train,
                                                 "--lang", "en"],
                                 cwd=watched, env=env, stdout=out,
                                 stdin=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)

        def rounds(least):
            for _ in range(300):
                out.seek(0)
                if out.read().count(b"== waiting") >= least:
                    return True
                time.sleep(0.1)
            return False

        first = rounds(1)
        with open(os.path.join(watched, train), "ab") as text:
            text.write(b"stazione, 99999999\r\n")
        second = rounds(2)
        watch.kill()
        watch.wait()
        out.seek(0)
        if not (first and second and b"error" in out.read()):
            failures.append("watch did not check again after a save")

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
        compile_args = ["compile", route, train, "--write-on-error", "-o"]
        run([os.path.join(linux_bin, "scenario-tool")],
            compile_args + ["linux"], folder)
        linux_files = os.path.join(folder, "linux")
        for attempt in ("windows", "windows-again"):
            said = run(["wine", os.path.join(windows_bin, "scenario-tool.exe")],
                       compile_args + [attempt], folder)
            difference = files_difference(linux_files,
                                           os.path.join(folder, attempt))
            if not difference:
                break
            # As with `both`: told with what the run said, and run again
            # into a fresh folder; a difference of the program shows again.
            print(f"p{n:03d} compile into {attempt}: {difference}; status "
                  f"{said[0]}, errors {said[2][-200:]!r}", flush=True)
        if difference:
            failures.append(f"p{n:03d} compile: {difference}")
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
