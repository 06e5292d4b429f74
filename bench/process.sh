#!/usr/bin/env bash
# What a person feels: whole processes writing PNG files to a real disk. For every symbol, in
# one run and interleaved so that a busy neighbour slows every side alike:
#   - a batch of QV_PROCESS_LINES labels (2000) with `quorvantix --batch -j 1`, and with -j 2;
#   - the same data through `zint --batch` at the same module size;
#   - the file-system floor: a minimal C loop writing our very files' bytes under a temporary
#     name and renaming them into place;
#   - one symbol in one process, ours against zint (the median of QV_PROCESS_SHOTS runs).
# Each batch figure is the median of QV_PROCESS_REPEATS (5) runs. Output goes to a folder on the
# build's disk (QV_PROCESS_DIR, default build/process), never to tmpfs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-}
if [ -z "${QV_BIN:-}" ]; then
    cmake --preset release >&2
    cmake --build --preset release -j "${QV_BENCH_JOBS:-2}" --target quorvantix >&2
    QV_BIN=$root/build/release/quorvantix
fi
dir=${QV_PROCESS_DIR:-$root/build/process}
mkdir -p "$dir"
fs=$(stat -f -c %T "$dir")
if [ "$fs" = tmpfs ] || [ "$fs" = ramfs ]; then
    echo "process.sh: $dir is on $fs; give QV_PROCESS_DIR on a real disk" >&2
    exit 2
fi
command -v zint >/dev/null || { echo "process.sh: zint is not installed" >&2; exit 2; }
cc -O2 -o "$dir/floor" -x c - <<'C'
/* Writes the files of a folder again, into another, each under a temporary name and then
   renamed: the least a tool writing those bytes can do. Prints the seconds the writing took. */
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <sys/stat.h>
struct file { char name[256]; char *data; size_t size; };
int main(int argc, char **argv) {
    if (argc != 3) return 2;
    DIR *d = opendir(argv[1]);
    if (!d) return 1;
    struct file *files = NULL;
    size_t n = 0, cap = 0;
    struct dirent *e;
    char path[4096];
    while ((e = readdir(d))) {
        if (e->d_name[0] == '.') continue;
        snprintf(path, sizeof path, "%s/%s", argv[1], e->d_name);
        struct stat st;
        int fd = open(path, O_RDONLY);
        if (fd < 0 || fstat(fd, &st) != 0) return 1;
        if (n == cap) files = realloc(files, (cap = cap ? 2 * cap : 256) * sizeof *files);
        struct file *f = &files[n++];
        snprintf(f->name, sizeof f->name, "%s", e->d_name);
        f->size = (size_t)st.st_size;
        f->data = malloc(f->size + 1);
        if (read(fd, f->data, f->size) != (ssize_t)f->size) return 1;
        close(fd);
    }
    closedir(d);
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    char temp[4096];
    for (size_t i = 0; i < n; ++i) {
        snprintf(path, sizeof path, "%s/%s", argv[2], files[i].name);
        snprintf(temp, sizeof temp, "%s.tmp", path);
        int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || write(fd, files[i].data, files[i].size) != (ssize_t)files[i].size) return 1;
        if (close(fd) != 0 || rename(temp, path) != 0) return 1;
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    printf("%.6f\n", (double)(t1.tv_sec - t0.tv_sec) + (double)(t1.tv_nsec - t0.tv_nsec) / 1e9);
    return 0;
}
C
QV_BIN=$QV_BIN DIR=$dir python3 - <<'PY'
import os, shutil, statistics, subprocess, sys, time

qv = os.environ["QV_BIN"]
work = os.environ["DIR"]
lines = int(os.environ.get("QV_PROCESS_LINES", "2000"))
repeats = int(os.environ.get("QV_PROCESS_REPEATS", "5"))
shots = int(os.environ.get("QV_PROCESS_SHOTS", "15"))
only = os.environ.get("QV_PROCESS_ONLY", "")

def cycled(text, n):
    return (text * (n // len(text) + 1))[:n]

def ean(i):
    return f"{590000000000 + i * 7919 % 10**7:012d}"

# Same data and module size on both sides: 2 pixels per module for the linear symbols, 4 for
# Data Matrix, 2 x 6 for PDF417 rows, zint's MaxiCode at scale 0.7 against our 200 dpi.
symbols = [
    ("EAN-13", ean,
     ["barcode1d", "-t", "EAN13", "--set", "X=2", "--set", "BarHeightPixels=99",
      "--set", "LeftMargin=14", "--set", "TopMargin=0"],
     ["-b", "13", "--scale=1"]),
    ("Code 128", lambda i: f"Quorvantix-{i:05d} abc/9",
     ["barcode1d", "-t", "CODE128", "--set", "X=2", "--set", "BarHeightPixels=99",
      "--set", "LeftMargin=0", "--set", "TopMargin=0", "--set", "Font=none"],
     ["-b", "20", "--scale=1", "--notext"]),
    ("Data Matrix", lambda i: cycled(f"Label {i:05d} of the Quorvantix batch; lot 7/B. ", 100),
     ["datamatrix", "--set", "Encoding=E_AUTO", "--set", "PixelsDot=4", "--set", "Margin=0"],
     ["-b", "71", "--scale=2"]),
    ("PDF417", lambda i: cycled(f"Shipment {i:05d}: Quorvantix PDF417 batch row, 10 columns. ", 200),
     ["pdf417", "--set", "PDFMode=PDF_TEXT", "--set", "PDFECLevel=2", "--set", "PDFColumns=10",
      "--set", "BarWidthPixels=2", "--set", "BarHeightPixels=6", "--set", "TopMargin=0",
      "--set", "LeftMargin=0"],
     ["-b", "55", "--scale=1", "--secure=2", "--cols=10"]),
    ("MaxiCode", lambda i: cycled(f"Parcel {i:05d}, Quorvantix MaxiCode route 7/B; ", 60),
     ["maxicode", "--set", "mode=4", "--set", "processTilde=false"],
     ["-b", "57", "--scale=0.7", "--mode=4"]),
]
if only:
    symbols = [s for s in symbols if only.lower() in s[0].lower()]

# Output goes to folders never used before, and nothing is removed while timing: ext4 without a
# journal skips inodes deleted in the last dirty-expire interval (30 s) when it allocates, one by
# one, so a batch written right after a removal of thousands of files pays for the removal.
# The files stay for a look until the next run, which removes them and waits that interval out.
runs = os.path.join(work, "runs")
if os.path.exists(runs):
    shutil.rmtree(runs)
    os.sync()
    with open("/proc/sys/vm/dirty_expire_centisecs") as f:
        time.sleep(int(f.read()) / 100 + 1)
os.makedirs(runs)

def fresh(name):
    path = os.path.join(runs, name)
    os.makedirs(path)
    os.sync()  # every side starts from a settled disk
    return path

def timed(cmd):
    t = time.perf_counter()
    r = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - t
    if r.returncode != 0:
        sys.exit(f"process.sh: {' '.join(cmd)} failed: {r.stderr.decode()[:400]}")
    return elapsed

def median(xs):
    return statistics.median(xs)

rows = []
for name, data, ours, zint in symbols:
    key = name.replace(" ", "").replace("-", "").lower()
    listing = os.path.join(work, key + ".txt")
    with open(listing, "w") as f:
        for i in range(lines):
            f.write(data(i) + "\n")
    out = os.path.join(work, key)
    times = {"ours": [], "ours2": [], "zint": [], "floor": []}
    for rep in range(repeats):
        tag = f"{key}-{rep}"
        q = fresh(tag + "-q")
        # The -j 1 batch first: the floor writes its files again.
        times["ours"].append(timed([qv] + ours + ["--batch", listing, "-o", q + "/%04d.png", "-j", "1"]))

        def ours2():
            q2 = fresh(tag + "-q2")
            times["ours2"].append(timed([qv] + ours + ["--batch", listing, "-o", q2 + "/%04d.png", "-j", "2"]))

        def zint_batch():
            z = fresh(tag + "-z")
            times["zint"].append(timed(["zint", "--batch"] + zint + ["-i", listing, "-o", z + "/~~~~.png"]))

        def floor():
            f = fresh(tag + "-f")
            r = subprocess.run([os.path.join(work, "floor"), q, f], capture_output=True, text=True)
            if r.returncode != 0:
                sys.exit("process.sh: the floor program failed")
            times["floor"].append(float(r.stdout))

        # The rest in an order turned by one each repeat, so that no side always follows another.
        rest = [ours2, zint_batch, floor]
        for side in rest[rep % 3:] + rest[:rep % 3]:
            side()
    one = data(0)
    os.sync()
    shot = {"ours": [], "zint": []}
    for _ in range(shots):
        shot["ours"].append(timed([qv] + ours + ["-d", one, "-o", out + "-one.png"]))
        shot["zint"].append(timed(["zint"] + zint + ["-d", one, "-o", out + "-one-z.png"]))
    m = {k: median(v) for k, v in times.items()}
    s = {k: median(v) for k, v in shot.items()}
    rows.append([name, f"{m['ours']:.3f}", f"{m['ours2']:.3f}", f"{m['zint']:.3f}", f"{m['floor']:.3f}",
                 f"{m['zint'] / m['ours']:.2f}", f"{m['ours'] / m['floor']:.1f}", f"{m['zint'] / m['floor']:.1f}",
                 f"{m['ours'] / m['ours2']:.2f}",
                 f"{s['ours'] * 1e3:.1f}", f"{s['zint'] * 1e3:.1f}", f"{s['ours'] / s['zint']:.2f}"])

load = os.getloadavg()
fs = subprocess.run(["stat", "-f", "-c", "%T", work], capture_output=True, text=True).stdout.strip()
print(f"{lines} labels per batch, median of {repeats} runs; one-shot: median of {shots}; "
      f"output on {fs}; {os.cpu_count()} CPUs, load average {load[0]:.1f} at the end")
print()
head = ["symbol", "batch -j 1 s", "batch -j 2 s", "zint --batch s", "floor s", "speed vs zint",
        "ours x floor", "zint x floor", "-j 2 speed-up", "one-shot ms", "zint one-shot ms",
        "one-shot x zint"]
print("| " + " | ".join(head) + " |")
print("|---|" + "---:|" * (len(head) - 1))
for r in rows:
    print("| " + " | ".join(r) + " |")
PY
