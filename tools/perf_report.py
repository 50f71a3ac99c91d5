#!/usr/bin/env python3
"""Turns the JSON output of qrx_bench into docs/performance.md and a chart.

Usage: tools/perf_report.py RESULTS.json --markdown docs/performance.md --chart docs/performance.png
                             [--notes-dir bench/notes]

Benchmark names are "<subject>/<width>x<height>". Subjects starting with
"qrxi" are our operations; "libyuv/...", "opencv/..." and "memcpy/..." are
peers. The JSON context carries, for each operation, "op:<name>" =
"family=...;peers=<peer> <peer>;memcpy=<peer>", for each peer "peer:<name>" =
a description, and "qrx.targets" / "qrx.automatic": the targets this
processor runs and the one the library picks by itself.

A subject "<op>/<variant>" is a variant of <op>: "<op>/<target>" (scalar,
sse2, avx2, avx512) runs it with that target's kernels selected, and a family
may register others (for instance "<op>/threads2"). The report gives every
operation a column per target, the automatic choice beside them, and a
further column for every other variant present. The processor's model name
(from /proc/cpuinfo) is printed beside the figures. Every *.md file of the
notes folder is included, in name order, after the headline table.
"""

import argparse
import glob
import json
import os
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
    "Colour to gray", "RGB and XYZ, LUV", "BGR and Lab", "HLS and HSV", "YCC",
    "Colour twist", "Gamma correction", "Tone mapping",
    "Bit-depth reduction",
    "Demosaicing: CFA interpolation", "Demosaicing: AHD",
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
    ("qrxiRGBToXYZ_8u_C3R", "opencv/RGB2XYZ"),
    ("qrxiRGBToLUV_8u_C3R", "opencv/LRGB2Luv"),
    ("qrxiBGRToLab_8u_C3R", "opencv/LBGR2Lab"),
    ("qrxiRGBToHSV_8u_C3R", "opencv/RGB2HSV_FULL"),
    ("qrxiRGBToHLS_8u_C3R", "opencv/RGB2HLS_FULL"),
    ("qrxiColorTwist32f_8u_AC4R", "libyuv/ARGBColorMatrix"),
    ("qrxiColorTwist32f_8u_C3R", "opencv/transform_8UC3"),
    ("qrxiGammaFwd_8u_C3R", "opencv/LUT_8UC3"),
    ("qrxiReduceBits_8u_C4R", "libyuv/ARGBToRGB565Dither"),
    ("qrxiCFAToRGB_8u_C1C3R", "opencv/BayerRGGB2RGB"),
    ("qrxiDemosaicAHD_8u_C1C3R", "opencv/BayerRGGB2RGB_VNG"),
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
        # Google Benchmark appends its own settings ("min_time:0.100", ...).
        name = "/".join(part for part in name.split("/") if ":" not in part
                        and part not in ("real_time", "process_time", "manual_time"))
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
    """Model name and vector flags of this processor, from /proc/cpuinfo."""
    model, flags = None, set()
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                key, _, value = line.partition(":")
                key = key.strip()
                if key == "model name" and model is None:
                    model = value.strip()
                elif key == "flags" and not flags:
                    flags = set(value.split())
    except OSError:
        pass
    return model or "unknown processor", [f for f in VECTOR_FLAGS if f in flags]


TARGET_ORDER = ["scalar", "sse2", "avx2", "avx512"]


def targets_of(context):
    """The targets this processor ran, in order, and the automatic one."""
    ran = context.get("qrx.targets", "").split()
    return [t for t in TARGET_ORDER if t in ran], context.get("qrx.automatic", "")


def variant_columns(rates, members, targets):
    """Columns of a family's variant table: (variant, size) for each target at
    the full frame, then every other variant of these operations found in
    the results, at each size it was measured."""
    cols = [(t, FRAME) for t in targets]
    extra = set()
    for subject, size in rates:
        for op in members:
            if subject.startswith(op + "/"):
                variant = subject[len(op) + 1:]
                if variant not in targets:
                    extra.add((variant, size))
    return cols + sorted(extra, key=lambda c: (c[0], c[1] != FRAME, c[1]))


def mpix(rate):
    return "–" if rate is None else f"{rate / 1e6:,.0f}" if rate >= 1e8 else f"{rate / 1e6:,.1f}"


def ratio(a, b):
    return None if a is None or b is None or b == 0 else a / b


def fmt_ratio(r):
    return "–" if r is None else f"{r:.2f}"


def fmt_frac(r):
    return "–" if r is None else f"{100 * r:.0f}%"


def headline_rows(rates, ops, targets):
    rows = []
    for op, peer in HEADLINES:
        if op not in ops:
            continue
        ours = rates.get((op, FRAME)), rates.get((op, SMALL))
        theirs = rates.get((peer, FRAME)), rates.get((peer, SMALL))
        per_target = [ratio(rates.get((op + "/" + t, FRAME)), theirs[0]) for t in targets]
        rows.append((op, peer, ours, theirs, ratio(ours[0], theirs[0]), ratio(ours[1], theirs[1]),
                     per_target))
    return rows


def chart(rows, path, extra):
    """Bars of ours/peer: automatic at both sizes, then each target named in
    `extra` (index into the rows' per-target ratios, label) at 1920x1080."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    rows = [r for r in rows if r[4] is not None or r[5] is not None]
    if not rows:
        return False
    labels = [f"{op[4:]}\nvs {peer}" for op, peer, *_ in rows]
    series = [("1920x1080", [r[4] or 0 for r in rows], "#3b6ea8"),
              ("64x64 region", [r[5] or 0 for r in rows], "#9cc3e6")]
    colours = ["#d08c3c", "#7fb069", "#a05195"]
    for k, (index, label) in enumerate(extra):
        series.append((f"{label} kernels, 1920x1080", [r[6][index] or 0 for r in rows],
                       colours[k % len(colours)]))
    fig, ax = plt.subplots(figsize=(9, (0.31 * len(series) + 0.0) * len(rows) + 1.4))
    y = range(len(rows))
    h = 0.8 / len(series)
    for k, (label, values, colour) in enumerate(series):
        offset = (k - (len(series) - 1) / 2) * h
        ax.barh([i + offset for i in y], values, h, label=label, color=colour)
        for i, v in enumerate(values):
            ax.text(v, i + offset, f" {v:.2f}", va="center", fontsize=6)
    ax.axvline(1.0, color="black", linewidth=0.8)
    ax.set_yticks(list(y))
    ax.set_yticklabels(labels, fontsize=7)
    ax.invert_yaxis()
    ax.set_xlabel("throughput ratio, ours / peer (1.0 = same speed)")
    ax.set_title("Headline conversions against libyuv and OpenCV (single thread)")
    ax.legend(loc="lower right", fontsize=7)
    ax.set_xlim(0, max(max(v) for _, v, _ in series + [("", [1.0], "")]) * 1.18)
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


def target_tables(rates, ops, order, targets, automatic, model, out):
    out.append("## Every operation under every target\n")
    out.append(f"Measured on {model}. Megapixels per second at 1920x1080 (other sizes where a "
               "column says so), single thread unless a column names a thread count. *Automatic* is "
               f"what the library picks by itself on this processor ({automatic or 'unknown'}); the "
               "target columns run the same entries with that target's kernels selected, so the "
               "AVX2 column is what an AVX2-only processor of this kind would get. Every target gives "
               "the scalar reference's bytes. *Vector/scalar* divides the automatic rate by the "
               "scalar one.\n")
    families = OrderedDict((f, []) for f in FAMILY_ORDER)
    for op in sorted(ops, key=lambda o: order.get(o, (1 << 30, 0))):
        families.setdefault(ops[op]["family"], []).append(op)
    for family, members in families.items():
        members = [op for op in members if any(subject == op or subject.startswith(op + "/")
                                               for subject, _ in rates)]
        if not members:
            continue
        cols = variant_columns(rates, members, targets)
        names = [v if size == FRAME else f"{v} {size}" for v, size in cols]
        out.append(f"### {family}\n")
        out.append("| Operation | Automatic | " + " | ".join(names) + " | Vector/scalar |")
        out.append("|---|---:|" + "---:|" * len(cols) + "---:|")
        for op in members:
            auto = rates.get((op, FRAME))
            cells = [f"`{op}`", mpix(auto)] + [mpix(rates.get((op + "/" + v, size))) for v, size in cols]
            cells.append(fmt_ratio(ratio(auto, rates.get((op + "/scalar", FRAME)))))
            out.append("| " + " | ".join(cells) + " |")
        out.append("")


def demote_headings(text):
    """A note's headings one level down, so that each note sits under the page's title."""
    lines, fenced = [], False
    for line in text.splitlines():
        if line.startswith("```"):
            fenced = not fenced
        lines.append("#" + line if not fenced and re.match(r"#{1,5} ", line) else line)
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("results")
    parser.add_argument("--markdown", required=True)
    parser.add_argument("--chart", required=True)
    parser.add_argument("--chart-link", default="performance.png",
                        help="how the markdown refers to the chart")
    parser.add_argument("--notes-dir", help="folder whose *.md files (hand-written analyses) are "
                        "inserted after the headline table")
    args = parser.parse_args()

    context, rates, errors, order, reps = load(args.results)
    ops = operations(context)
    if not ops:
        sys.exit("perf_report: no operations in " + args.results)
    model, vector = machine()
    targets, automatic = targets_of(context)
    vector_targets = [t for t in targets if t != "scalar"]
    rows = headline_rows(rates, ops, vector_targets)
    extra = [(i, t) for i, t in enumerate(vector_targets) if t not in (automatic, "sse2")]
    have_chart = chart(rows, args.chart, extra)

    caches = ", ".join(f"L{c['level']} {c['type'].lower()} {c['size'] // 1024} KiB"
                       + (f" shared by {c['num_sharing']}" if c.get("num_sharing", 0) > 1 else "")
                       for c in context.get("caches", []))
    out = ["# Performance", ""]
    out.append("Throughput of every implemented operation, in megapixels per second of the converted "
               "region, next to libyuv, OpenCV and a plain memcpy of the same number of source bytes. "
               "One thread, except the operations that run in parallel (XYZ, LUV, HLS, HSV and YCC above "
               "4096 pixels, Lab and the planar HLS forms always, dithering): they run with the library's "
               "default thread count (the processor count), and their one-thread figures are the "
               "`threads1` columns and the family notes. Generated by `tools/bench.sh`; do not edit by hand.")
    out.append("")
    out.append(f"- Date of the run: {context.get('date', 'unknown')}")
    out.append(f"- Processor: {model}, {context.get('num_cpus', '?')} logical CPUs at "
               f"{context.get('mhz_per_cpu', '?')} MHz")
    out.append(f"- Vector extensions present: {', '.join(vector) if vector else 'none reported'}")
    if targets:
        out.append(f"- Targets measured: {', '.join(targets)}; chosen automatically: {automatic}")
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
    out.append(f"Measured on {model}. The last columns give ours/peer at 1920x1080 with each "
               "target's kernels selected.")
    out.append("")
    out.append("| Operation | Peer | Ours 1080p | Peer 1080p | Ours/peer 1080p | Ours 64x64 | Peer 64x64 "
               "| Ours/peer 64x64 |" + "".join(f" {t}/peer |" for t in vector_targets))
    out.append("|---|---|---:|---:|---:|---:|---:|---:|" + "---:|" * len(vector_targets))
    for op, peer, ours, theirs, r_big, r_small, per_target in rows:
        out.append(f"| `{op}` | {peer} | {mpix(ours[0])} | {mpix(theirs[0])} | {fmt_ratio(r_big)} "
                   f"| {mpix(ours[1])} | {mpix(theirs[1])} | {fmt_ratio(r_small)} |"
                   + "".join(f" {fmt_ratio(r)} |" for r in per_target))
    out.append("")
    if args.notes_dir:
        for path in sorted(glob.glob(os.path.join(args.notes_dir, "*.md"))):
            with open(path) as f:
                out.append(demote_headings(f.read().rstrip()))
                out.append("")
    out.append("## All operations by family")
    out.append("")
    out.append("Megapixels per second; an operation with several peers has one line per peer.")
    out.append("")
    family_tables(rates, errors, ops, order, out)
    target_tables(rates, ops, order, targets, automatic, model, out)
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
