#!/usr/bin/env python3
"""Turns the JSON output of qrx_bench into docs/performance.md and a chart.

Usage: tools/perf_report.py RESULTS.json --markdown docs/performance.md --chart docs/performance.png

Benchmark names are "<subject>/<width>x<height>". Subjects starting with
"qrxi" are our operations; "libyuv/...", "opencv/..." and "memcpy/..." are
peers. The JSON context carries, for each operation, "op:<name>" =
"family=...;peers=<peer> <peer>;memcpy=<peer>", and for each peer
"peer:<name>" = a description. A subject "<op>/scalar" is the scalar
reference of <op>; when present, the report adds a vector-versus-scalar table.
"""

import argparse
import json
import re
import subprocess
import sys
from collections import OrderedDict

FRAME = "1920x1080"
SMALL = "64x64"

FAMILY_ORDER = [
    "YUV 4:4:4", "YUV 4:2:2", "YUV 4:2:0", "YCbCr 4:4:4",
    "YCbCr 4:2:2 encoders", "YCbCr 4:2:0 encoders", "YCbCr 4:1:1 encoders",
    "YCbCr 4:2:2 decoders", "YCbCr 4:2:0 decoders", "YCbCr 4:1:1 decoders",
    "Colour to gray",
]

# The comparisons the library is judged on, in chart order.
HEADLINES = [
    ("qrxiRGBToYCbCr420_8u_C3P3R", "libyuv/RGB24ToI420"),
    ("qrxiRGBToYUV420_8u_C3P3R", "libyuv/RGB24ToI420"),
    ("qrxiBGRToYCbCr420_8u_C3P3R", "libyuv/RGB24ToI420"),
    ("qrxiYCbCr420ToRGB_8u_P3C3R", "libyuv/I420ToRGB24"),
    ("qrxiYUV420ToRGB_8u_P3C3R", "libyuv/I420ToRGB24"),
    ("qrxiYCbCr420ToBGR_8u_P3C3R", "libyuv/I420ToRGB24"),
    ("qrxiRGBToYCbCr_8u_C3R", "opencv/RGB2YCrCb"),
    ("qrxiYCbCrToRGB_8u_C3R", "opencv/YCrCb2RGB"),
    ("qrxiRGBToYUV_8u_C3R", "opencv/RGB2YUV"),
    ("qrxiYUVToRGB_8u_C3R", "opencv/YUV2RGB"),
    ("qrxiYCbCr422ToRGB_8u_C2C3R", "opencv/YUV2RGB_YUY2"),
    ("qrxiYUV422ToRGB_8u_C2C3R", "opencv/YUV2RGB_YUY2"),
    ("qrxiRGBToGray_8u_C3C1R", "libyuv/RGB24ToJ400"),
]

VECTOR_FLAGS = [
    "sse2", "ssse3", "sse4_1", "sse4_2", "avx", "avx2", "fma", "f16c", "bmi2",
    "avx512f", "avx512dq", "avx512bw", "avx512vl", "avx512_vnni", "avx512vbmi",
    "avx512_vbmi2", "avx512_bf16", "avx512_fp16", "avx_vnni",
]


def load(path):
    with open(path) as f:
        data = json.load(f)
    rates, errors, order, reps = {}, {}, {}, 1
    samples = {}
    for b in data.get("benchmarks", []):
        name = b.get("run_name", b["name"])
        subject, _, size = name.rpartition("/")
        order.setdefault(subject, (b.get("family_index", len(order)), len(order)))
        if b.get("error_occurred"):
            errors[(subject, size)] = b.get("error_message", "error")
            continue
        reps = max(reps, int(b.get("repetitions", 1) or 1))
        if "pixels" not in b:
            continue
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                rates[(subject, size)] = b["pixels"]
        else:
            samples.setdefault((subject, size), []).append(b["pixels"])
    for key, values in samples.items():
        if key not in rates:
            values.sort()
            rates[key] = values[len(values) // 2]
    return data.get("context", {}), rates, errors, order, reps


def operations(context):
    ops = {}
    for key, value in context.items():
        if not key.startswith("op:"):
            continue
        fields = dict(part.split("=", 1) for part in value.split(";") if "=" in part)
        ops[key[3:]] = {
            "family": fields.get("family", "Other"),
            "peers": fields.get("peers", "").split(),
            "memcpy": fields.get("memcpy", ""),
        }
    return ops


def machine():
    try:
        out = subprocess.run(["lscpu"], capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return "unknown processor", []
    fields = {}
    for line in out.splitlines():
        key, _, value = line.partition(":")
        fields[key.strip()] = value.strip()
    flags = set(fields.get("Flags", "").split())
    return fields.get("Model name", "unknown processor"), [f for f in VECTOR_FLAGS if f in flags]


def mpix(rate):
    return "–" if rate is None else f"{rate / 1e6:,.0f}" if rate >= 1e8 else f"{rate / 1e6:,.1f}"


def ratio(a, b):
    return None if a is None or b is None or b == 0 else a / b


def fmt_ratio(r):
    return "–" if r is None else f"{r:.2f}"


def fmt_frac(r):
    return "–" if r is None else f"{100 * r:.0f}%"


def headline_rows(rates, ops):
    rows = []
    for op, peer in HEADLINES:
        if op not in ops:
            continue
        ours = rates.get((op, FRAME)), rates.get((op, SMALL))
        theirs = rates.get((peer, FRAME)), rates.get((peer, SMALL))
        rows.append((op, peer, ours, theirs, ratio(ours[0], theirs[0]), ratio(ours[1], theirs[1])))
    return rows


def chart(rows, path):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    rows = [r for r in rows if r[4] is not None or r[5] is not None]
    if not rows:
        return False
    labels = [f"{op[4:]}\nvs {peer}" for op, peer, *_ in rows]
    big = [r[4] or 0 for r in rows]
    small = [r[5] or 0 for r in rows]
    fig, ax = plt.subplots(figsize=(9, 0.62 * len(rows) + 1.4))
    y = range(len(rows))
    h = 0.38
    ax.barh([i - h / 2 for i in y], big, h, label="1920x1080", color="#3b6ea8")
    ax.barh([i + h / 2 for i in y], small, h, label="64x64 region", color="#9cc3e6")
    for i, (b, s) in enumerate(zip(big, small)):
        ax.text(b, i - h / 2, f" {b:.2f}", va="center", fontsize=7)
        ax.text(s, i + h / 2, f" {s:.2f}", va="center", fontsize=7)
    ax.axvline(1.0, color="black", linewidth=0.8)
    ax.set_yticks(list(y))
    ax.set_yticklabels(labels, fontsize=7)
    ax.invert_yaxis()
    ax.set_xlabel("throughput ratio, ours / peer (1.0 = same speed)")
    ax.set_title("Headline conversions against libyuv and OpenCV (single thread)")
    ax.legend(loc="lower right", fontsize=8)
    ax.set_xlim(0, max(max(big), max(small), 1.0) * 1.18)
    fig.tight_layout()
    fig.savefig(path, dpi=110)
    plt.close(fig)
    return True


def family_tables(rates, errors, ops, order, out):
    families = OrderedDict((f, []) for f in FAMILY_ORDER)
    for op in sorted(ops, key=lambda o: order.get(o, (1 << 30, 0))):
        families.setdefault(ops[op]["family"], []).append(op)
    for family, members in families.items():
        if not members:
            continue
        out.append(f"### {family}\n")
        out.append("| Operation | Ours 1080p | Ours 64x64 | Peer | Peer 1080p | Peer 64x64 "
                   "| Ours/peer 1080p | Ours/peer 64x64 | Of memcpy 1080p | Of memcpy 64x64 |")
        out.append("|---|---:|---:|---|---:|---:|---:|---:|---:|---:|")
        for op in members:
            info = ops[op]
            ours = rates.get((op, FRAME)), rates.get((op, SMALL))
            mem = rates.get((info["memcpy"], FRAME)), rates.get((info["memcpy"], SMALL))
            name = f"`{op}`"
            if (op, FRAME) in errors:
                name += f" (failed: {errors[(op, FRAME)]})"
            peers = [p for p in info["peers"] if (p, FRAME) in rates or (p, SMALL) in rates]
            first = True
            for peer in peers or [None]:
                theirs = (rates.get((peer, FRAME)), rates.get((peer, SMALL))) if peer else (None, None)
                cells = [name, mpix(ours[0]), mpix(ours[1])] if first else ["", "", ""]
                cells += [peer or "none", mpix(theirs[0]), mpix(theirs[1]),
                          fmt_ratio(ratio(ours[0], theirs[0])), fmt_ratio(ratio(ours[1], theirs[1]))]
                cells += [fmt_frac(ratio(ours[0], mem[0])), fmt_frac(ratio(ours[1], mem[1]))] if first \
                    else ["", ""]
                out.append("| " + " | ".join(cells) + " |")
                first = False
        out.append("")


def scalar_table(rates, ops, out):
    pairs = sorted(op for op in ops if (op + "/scalar", FRAME) in rates or (op + "/scalar", SMALL) in rates)
    out.append("## Vector code against the scalar reference\n")
    if not pairs:
        out.append("This run recorded no scalar reference measurements (benchmarks named "
                   "`<operation>/scalar/<size>`), so every operation above ran its default kernels.\n")
        return
    out.append("| Operation | Default 1080p | Scalar 1080p | Speed-up 1080p | Default 64x64 | Scalar 64x64 "
               "| Speed-up 64x64 |")
    out.append("|---|---:|---:|---:|---:|---:|---:|")
    for op in pairs:
        d = rates.get((op, FRAME)), rates.get((op, SMALL))
        s = rates.get((op + "/scalar", FRAME)), rates.get((op + "/scalar", SMALL))
        out.append(f"| `{op}` | {mpix(d[0])} | {mpix(s[0])} | {fmt_ratio(ratio(d[0], s[0]))} "
                   f"| {mpix(d[1])} | {mpix(s[1])} | {fmt_ratio(ratio(d[1], s[1]))} |")
    out.append("")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("results")
    parser.add_argument("--markdown", required=True)
    parser.add_argument("--chart", required=True)
    parser.add_argument("--chart-link", default="performance.png",
                        help="how the markdown refers to the chart")
    parser.add_argument("--notes", help="hand-written analysis inserted after the headline table")
    args = parser.parse_args()

    context, rates, errors, order, reps = load(args.results)
    ops = operations(context)
    if not ops:
        sys.exit("perf_report: no operations in " + args.results)
    model, vector = machine()
    rows = headline_rows(rates, ops)
    have_chart = chart(rows, args.chart)

    caches = ", ".join(f"L{c['level']} {c['type'].lower()} {c['size'] // 1024} KiB"
                       + (f" shared by {c['num_sharing']}" if c.get("num_sharing", 0) > 1 else "")
                       for c in context.get("caches", []))
    out = ["# Performance", ""]
    out.append("Single-thread throughput of the RGB/YUV, RGB/YCbCr and colour-to-gray conversions, in "
               "megapixels per second of the converted region, next to libyuv, OpenCV and a plain memcpy "
               "of the same number of source bytes. Generated by `tools/bench.sh`; do not edit by hand.")
    out.append("")
    out.append(f"- Date of the run: {context.get('date', 'unknown')}")
    out.append(f"- Processor: {model}, {context.get('num_cpus', '?')} logical CPUs at "
               f"{context.get('mhz_per_cpu', '?')} MHz")
    out.append(f"- Vector extensions present: {', '.join(vector) if vector else 'none reported'}")
    if caches:
        out.append(f"- Caches: {caches}")
    if context.get("load_avg"):
        out.append("- Load average at the start: " + ", ".join(f"{x:.2f}" for x in context["load_avg"]))
    peers_used = []
    if "libyuv.version" in context:
        peers_used.append(f"libyuv {context['libyuv.version']}")
    if "opencv.version" in context:
        peers_used.append(f"OpenCV {context['opencv.version']} (one thread)")
    out.append(f"- Peers: {', '.join(peers_used + ['memcpy'])}")
    out.append(f"- Operations measured: {context.get('qrx.operations', str(len(ops)))}")
    if context.get("qrx.missing"):
        out.append(f"- Not exported by the measured library: {context['qrx.missing'].replace(' ', ', ')}")
    out.append("")
    out.append("How to read the numbers: each case converts either a whole 1920x1080 frame or a 64x64 "
               "region at the top-left of 1920x1080 buffers (same row steps), from random pixels. Rates are "
               "pixels of the region per second of CPU time; with " + str(reps) + " repetition"
               + ("s" if reps > 1 else "") + " per case the median is shown. *Ours/peer* above 1 means we are "
               "faster. *Of memcpy* compares with copying the source region's bytes (so 100% would be a "
               "conversion as fast as reading its input once). Peers do the same work with their own "
               "matrices: same layouts and chroma subsampling, and the nearest byte order where libyuv has no "
               "exact one (libyuv RGB24 is B,G,R in memory, ARGB is B,G,R,A and ABGR is R,G,B,A; packed "
               "4:2:2 encoders are paired with ARGBToYUY2, which reads four bytes per pixel). OpenCV's planar "
               "4:2:0 forms use one contiguous buffer sized to the region.")
    out.append("")
    out.append("## Headline comparisons")
    out.append("")
    if have_chart:
        out.append(f"![Ours/peer throughput ratios]({args.chart_link})")
        out.append("")
    out.append("| Operation | Peer | Ours 1080p | Peer 1080p | Ours/peer 1080p | Ours 64x64 | Peer 64x64 "
               "| Ours/peer 64x64 |")
    out.append("|---|---|---:|---:|---:|---:|---:|---:|")
    for op, peer, ours, theirs, r_big, r_small in rows:
        out.append(f"| `{op}` | {peer} | {mpix(ours[0])} | {mpix(theirs[0])} | {fmt_ratio(r_big)} "
                   f"| {mpix(ours[1])} | {mpix(theirs[1])} | {fmt_ratio(r_small)} |")
    out.append("")
    if args.notes:
        with open(args.notes) as f:
            out.append(f.read().rstrip())
            out.append("")
    out.append("## All operations by family")
    out.append("")
    out.append("Megapixels per second; an operation with several peers has one line per peer.")
    out.append("")
    family_tables(rates, errors, ops, order, out)
    scalar_table(rates, ops, out)
    out.append("## Peers")
    out.append("")
    referenced = {p for info in ops.values() for p in info["peers"] + [info["memcpy"]]}
    for key in sorted(k for k in context if k.startswith("peer:")):
        name = key[5:]
        if name in referenced and ((name, FRAME) in rates or (name, SMALL) in rates):
            out.append(f"- `{name}`: {context[key]}")
    out.append("")
    with open(args.markdown, "w") as f:
        f.write("\n".join(out))
    print(f"perf_report: wrote {args.markdown}" + (f" and {args.chart}" if have_chart else ""))


if __name__ == "__main__":
    main()
