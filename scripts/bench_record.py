#!/usr/bin/env python3
"""Runs every benchmark of a build tree and the start-up probe, and rewrites the table between
the markers of bench/README.md. Usage: bench_record.py BUILD_DIR README"""

import json
import os
import platform
import re
import statistics
import subprocess
import sys
import tempfile
import time
from datetime import date

LINE_BYTES_PER_SECOND = 15625 / 10  # 10 bit times per byte at the faster line speed
TICK_MS = 50
STARTUP_RUNS = 7
BEGIN = "<!-- bench-record: begin -->"
END = "<!-- bench-record: end -->"

# The benchmark programs, by the file their results go to, with how often each is run: the CPU
# figures of a whole second or more vary with the machine's other load, so their median is kept.
PROGRAMS = {
    "receiver": ("bench/link/link_receiver_bench", 1),
    "idle": ("bench/link/link_idle_cpu_bench", 5),
    "connection": ("bench/link/connection_bench", 1),
    "latency": ("bench/latency/pty_latency_bench", 1),
    "program": ("bench/app/program_cpu_bench", 3),
    "controls": ("bench/controls/controls_bench", 1),
    "logger": ("bench/logger/logger_bench", 1),
    "defs": ("bench/defs/defs_bench", 1),
    "report": ("bench/report/report_bench", 1),
}

UNIT_SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def ms(entry):
    return entry["real_time"] * UNIT_SECONDS[entry["time_unit"]] * 1e3


def us(entry):
    return ms(entry) * 1e3


def percent(value):
    return f"{value * 100:.2f} % of a core"


# One row per figure, laid out as the table prints:
# (what is measured, results file, benchmark name, figure text, limit text, within the limit)
ROWS = [
    ("Frame receiver, bytes fed one at a time", "receiver", "FrameReceiverThroughput/1",
     lambda e: f"{e['bytes_per_second'] / 1e6:.1f} MB/s", "≥ 1,562 B/s (the line at 15625 baud)",
     lambda e: e["bytes_per_second"] >= LINE_BYTES_PER_SECOND),
    ("Frame receiver, 78-byte reads (one tick's worth)", "receiver", "FrameReceiverThroughput/78",
     lambda e: f"{e['bytes_per_second'] / 1e6:.1f} MB/s", "≥ 1,562 B/s",
     lambda e: e["bytes_per_second"] >= LINE_BYTES_PER_SECOND),
    ("Link thread, simulated cable open, line quiet", "idle", "IdleOpenSimulatedCable/iterations:1",
     lambda e: percent(e["cpu_per_wall_s"]), "< 1 % of a core", lambda e: e["cpu_per_wall_s"] < 0.01),
    ("Link thread, pseudo-terminal open, line quiet", "idle", "IdleOpenPseudoTerminal/iterations:1",
     lambda e: percent(e["cpu_per_wall_s"]), "< 1 % of a core", lambda e: e["cpu_per_wall_s"] < 0.01),
    ("Link thread, no cable", "idle", "IdleNoCable/iterations:1",
     lambda e: percent(e["cpu_per_wall_s"]), "< 1 % of a core", lambda e: e["cpu_per_wall_s"] < 0.01),
    ("Whole program polling at 50 ms, main window only", "program", "ProgramCpu/scene:0/iterations:1",
     lambda e: percent(e["cpu_per_wall_s"]), "< 5 % of a core", lambda e: e["cpu_per_wall_s"] < 0.05),
    ("Whole program polling at 50 ms, all 11 windows open", "program", "ProgramCpu/scene:1/iterations:1",
     lambda e: percent(e["cpu_per_wall_s"]) + f" ({e['windows_shown']:.0f} windows shown)", "< 5 % of a core",
     lambda e: e["cpu_per_wall_s"] < 0.05 and e["windows_shown"] >= 11),
    ("Whole program polling at 50 ms, all windows open, logging every 400 ms", "program",
     "ProgramCpu/scene:2/iterations:1", lambda e: percent(e["cpu_per_wall_s"]), "< 5 % of a core",
     lambda e: e["cpu_per_wall_s"] < 0.05),
    ("Connection core, one tick with a request and a reply", "connection", "ConnectionTick",
     lambda e: f"{us(e):.2f} µs", "< 500 µs (1 % of the 50 ms tick)", lambda e: us(e) < 500),
    ("Connect to identification, simulated cable, unpaced", "connection",
     "IdentifySimulatedCable/baud:15625/paced:0/iterations:5/manual_time",
     lambda e: f"{ms(e):.0f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
    ("Connect to identification, simulated cable, 15625 baud", "connection",
     "IdentifySimulatedCable/baud:15625/paced:1/iterations:5/manual_time",
     lambda e: f"{ms(e):.0f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
    ("Connect to identification, simulated cable, 7812 baud", "connection",
     "IdentifySimulatedCable/baud:7812/paced:1/iterations:5/manual_time",
     lambda e: f"{ms(e):.0f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
    ("Connect to identification, dazederir-ecusim on a pseudo-terminal, 15625 baud", "connection",
     "IdentifyEcusimPty/baud:15625/iterations:5/manual_time",
     lambda e: f"{ms(e):.0f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
    ("Connect to identification, dazederir-ecusim on a pseudo-terminal, 7812 baud", "connection",
     "IdentifyEcusimPty/baud:7812/iterations:5/manual_time",
     lambda e: f"{ms(e):.0f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
    ("Read request to reply frame, pseudo-terminal paced at 15625 baud (300 exchanges)", "latency",
     "RequestToReply/baud:15625/iterations:300/manual_time",
     lambda e: f"median {e['median_ms']:.1f} ms, 99th percentile {e['p99_ms']:.1f} ms",
     "line time 14.1 ms; < 50 ms (the next tick)", lambda e: e["p99_ms"] < TICK_MS),
    ("Read request to reply frame, pseudo-terminal paced at 7812 baud (300 exchanges)", "latency",
     "RequestToReply/baud:7812/iterations:300/manual_time",
     lambda e: f"median {e['median_ms']:.1f} ms, 99th percentile {e['p99_ms']:.1f} ms",
     "line time 28.2 ms; < 50 ms (the next tick)", lambda e: e["p99_ms"] < TICK_MS),
    ("Dial repaint, large dial (255 px)", "controls", "BM_ComposeDial/255",
     lambda e: f"{us(e):.0f} µs", "< 700 µs (7 dials in 10 % of a tick)", lambda e: us(e) < 700),
    ("Dial repaint, small dial (115 px)", "controls", "BM_ComposeDial/115",
     lambda e: f"{us(e):.0f} µs", "< 700 µs", lambda e: us(e) < 700),
    ("Strip chart update, one sample of 16 series", "controls", "BM_ChartUpdate/16",
     lambda e: f"{us(e):.0f} µs", "< 1000 µs (4 charts in 10 % of a 40 ms sample)", lambda e: us(e) < 1000),
    ("Strip chart update, one sample of 1 series", "controls", "BM_ChartUpdate/1",
     lambda e: f"{us(e):.0f} µs", "< 1000 µs", lambda e: us(e) < 1000),
    ("Strip chart replay (full redraw), 16 series", "controls", "BM_ChartReplay/16",
     lambda e: f"{ms(e):.2f} ms", "< 50 ms (one tick)", lambda e: ms(e) < TICK_MS),
    ("Strip chart replay (full redraw), 1 series", "controls", "BM_ChartReplay/1",
     lambda e: f"{ms(e):.2f} ms", "< 50 ms", lambda e: ms(e) < TICK_MS),
    ("Recording 900,000 rows at 40 ms (ten hours), each written at once, synced every second",
     "logger", "BM_Record900000Rows/iterations:1",
     lambda e: f"{e['rows_per_second']:,.0f} rows a second ({1e6 / e['rows_per_second']:.2f} µs a row)",
     "≥ 25 rows a second (one every 40 ms); < 400 µs a row (1 % of the interval)",
     lambda e: 1e6 / e["rows_per_second"] < 400),
    ("Recording 900,000 rows: memory", "logger", "BM_Record900000Rows/iterations:1",
     lambda e: f"resident memory grew {e['rss_growth_first_hour_bytes'] / 2**20:.2f} MiB over the first "
               f"90,000 rows, {e['rss_growth_later_bytes'] / 2**20:.2f} MiB over the next 810,000",
     "< 1 MiB over the last 810,000 (does not grow with the rows)",
     lambda e: e["rss_growth_later_bytes"] < 2**20),
    ("Recording 900,000 rows: Stop (sync and rename)", "logger", "BM_Record900000Rows/iterations:1",
     lambda e: f"{e['stop_ms']:.0f} ms for {e['file_bytes'] / 2**20:.1f} MiB", "< 1000 ms (the window waits for it)",
     lambda e: e["stop_ms"] < 1000),
    ("Fixed-point text of one CSV row (8 fields)", "defs", "BM_FormatFixedRow",
     lambda e: f"{us(e):.2f} µs", "< 100 µs", lambda e: us(e) < 100),
    ("Role updates of a whole sweep (50 bytes)", "defs", "BM_RoleUpdateSweep",
     lambda e: f"{us(e):.2f} µs", "< 100 µs", lambda e: us(e) < 100),
    ("Fault and status decoding (one viewer tick)", "defs", "BM_DecodeFaultsAndStatus",
     lambda e: f"{us(e):.2f} µs", "< 100 µs", lambda e: us(e) < 100),
    ("Diagnostic report of 100 fault-free values, written as a PDF", "report", "BM_WriteReport/pdf",
     lambda e: f"{ms(e):.0f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
    ("Diagnostic report of 100 fault-free values, written as HTML", "report", "BM_WriteReport/html",
     lambda e: f"{ms(e):.1f} ms", "< 1000 ms", lambda e: ms(e) < 1000),
]


def run_benchmarks(build_dir, out_dir):
    results = {}
    for key, (program, repetitions) in PROGRAMS.items():
        path = os.path.join(build_dir, program)
        out = os.path.join(out_dir, key + ".json")
        print(f"bench-record: {program}", flush=True)
        repeat = [f"--benchmark_repetitions={repetitions}", "--benchmark_report_aggregates_only=true"]
        # Through a shell that forks: a program started straight from this (larger) process would
        # inherit its peak resident size, and the log's memory growth would read too small.
        subprocess.run(["/bin/sh", "-c", '"$@"; exit $?', "sh", path, f"--benchmark_out={out}",
                        "--benchmark_out_format=json"] + (repeat if repetitions > 1 else []),
                       check=True, stdout=subprocess.DEVNULL)
        with open(out, encoding="utf-8") as file:
            entries = json.load(file)["benchmarks"]
        # A repeated benchmark is known by its median, under the name of a single run.
        results[key] = {e["run_name"] if e.get("aggregate_name") == "median" else e["name"]: e for e in entries}
    return results


# The main window painted this soon after main(): the log viewer, the slowest window to make, is
# made only when first opened.
STARTUP_LIMIT_MS = 80


def startup_times(build_dir):
    """Milliseconds to the first painted main window: from the exec of the program, and as its own
    probe counts them from main()."""
    program = os.path.join(build_dir, "app", "dazederir")
    from_exec, from_main = [], []
    with tempfile.TemporaryDirectory() as settings:
        for _ in range(STARTUP_RUNS):
            started = time.monotonic()
            child = subprocess.Popen([program, "--simulate", "--startup-time", "--settings-dir", settings],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            line = child.stdout.readline()
            from_exec.append((time.monotonic() - started) * 1e3)
            child.wait()
            match = re.match(r"first paint after (\d+) ms", line)
            if not match:
                sys.exit(f"bench-record: no start-up time from {program}: {line!r}")
            from_main.append(int(match.group(1)))
    return statistics.median(from_exec), statistics.median(from_main)


def table(results, startup):
    lines = ["| measured | figure | limit | within |", "|---|---|---|---|"]
    for what, key, name, figure, limit, ok in ROWS:
        entry = results[key].get(name)
        if entry is None or entry.get("error_occurred"):
            lines.append(f"| {what} | not measured ({entry.get('error_message', 'missing') if entry else 'missing'}) "
                         f"| {limit} | no |")
            continue
        lines.append(f"| {what} | {figure(entry)} | {limit} | {'yes' if ok(entry) else '**no**'} |")
    from_exec, from_main = startup
    lines.append(f"| Start-up to the first painted main window (median of {STARTUP_RUNS}) | "
                 f"{from_exec:.0f} ms from exec, {from_main:.0f} ms from main() | < {STARTUP_LIMIT_MS} ms from main() | "
                 f"{'yes' if from_main < STARTUP_LIMIT_MS else '**no**'} |")
    return lines


def machine():
    model = "unknown processor"
    with open("/proc/cpuinfo", encoding="utf-8") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    commit = subprocess.run(["git", "rev-parse", "--short", "HEAD"], capture_output=True, text=True,
                            cwd=os.path.dirname(os.path.abspath(__file__))).stdout.strip()
    display = "Xvfb" if os.environ.get("DISPLAY") else "the offscreen platform"
    return (f"Recorded {date.today().isoformat()} at commit {commit or 'unknown'} on {model}, "
            f"{os.cpu_count()} cores, {platform.system()} {platform.release()}; windows drawn on {display}.")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    build_dir, readme = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as out_dir:
        results = run_benchmarks(build_dir, out_dir)
    startup = startup_times(build_dir)
    with open(readme, encoding="utf-8") as file:
        text = file.read()
    if BEGIN not in text or END not in text:
        sys.exit(f"bench-record: {readme} lacks the markers {BEGIN} and {END}")
    rows = table(results, startup)
    body = "\n".join([machine(), ""] + rows)
    head, rest = text.split(BEGIN, 1)
    tail = rest.split(END, 1)[1]
    with open(readme, "w", encoding="utf-8") as file:
        file.write(f"{head}{BEGIN}\n{body}\n{END}{tail}")
    print("\n".join(rows))


if __name__ == "__main__":
    main()
