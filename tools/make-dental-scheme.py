#!/usr/bin/env python3
"""Draws resources/icons/dental-scheme.svg: both arches seen from above, 278 x 472.
With --deciduous, draws resources/icons/dental-scheme-deciduous.svg: the 20 deciduous teeth
(51-85) of the same scheme, each where the permanent tooth of its place lies (the odontogram's
places in src/chart/Odontogram.cpp work them out the same way).

Each tooth is centred where the chart window puts its warning marker (marker corner + 8.5),
turned along the arch, shaped by its kind, with its FDI number outside the arch. The
patient's right is on the viewer's left.
"""
import math
import sys

FONT = 'font-family="Verdana, DejaVu Sans, sans-serif" font-weight="bold" text-anchor="middle"'
CLASS = {
    "n": FONT + ' font-size="10" fill="#1F4E79"',
    "t": FONT + ' font-size="11" fill="#4169E1"',
    "s": FONT + ' font-size="9" fill="#8A9BB0"',
}

W, H = 278, 472
# FDI number -> marker corner in the scheme (the chart window's table).
MARK = {
    18: (34, 196), 17: (38, 160), 16: (44, 130), 15: (54, 104), 14: (62, 79), 13: (76, 58),
    12: (92, 38), 11: (114, 28), 21: (147, 28), 22: (168, 35), 23: (186, 54), 24: (196, 78),
    25: (204, 102), 26: (212, 128), 27: (218, 158), 28: (226, 190),
    38: (226, 270), 37: (220, 302), 36: (212, 334), 35: (206, 365), 34: (194, 386),
    33: (184, 405), 32: (166, 422), 31: (145, 426), 41: (121, 428), 42: (101, 420),
    43: (81, 405), 44: (73, 386), 45: (57, 365), 46: (46, 338), 47: (38, 306), 48: (36, 272),
}
UPPER = [18, 17, 16, 15, 14, 13, 12, 11, 21, 22, 23, 24, 25, 26, 27, 28]
LOWER = [48, 47, 46, 45, 44, 43, 42, 41, 31, 32, 33, 34, 35, 36, 37, 38]
# Bucco-lingual depth in pixels by kind (1 central incisor ... 8 third molar).
DEPTH_UP = {1: 17, 2: 15, 3: 19, 4: 21, 5: 21, 6: 27, 7: 26, 8: 24}
DEPTH_LO = {1: 14, 2: 14, 3: 16, 4: 19, 5: 20, 6: 25, 7: 24, 8: 23}
DECIDUOUS = "--deciduous" in sys.argv[1:]
if DECIDUOUS:
    # Deciduous tooth -> the permanent tooth whose place it takes; incisors, canine, two molars.
    for q, p in ((5, 1), (6, 2), (7, 3), (8, 4)):
        for u in range(1, 6):
            MARK[q * 10 + u] = MARK[p * 10 + u]
    UPPER = [55, 54, 53, 52, 51, 61, 62, 63, 64, 65]
    LOWER = [85, 84, 83, 82, 81, 71, 72, 73, 74, 75]
    DEPTH_UP = {1: 15, 2: 13, 3: 17, 4: 20, 5: 22}
    DEPTH_LO = {1: 12, 2: 12, 3: 14, 4: 19, 5: 21}


def centre(fdi):
    x, y = MARK[fdi]
    return x + 8.5, y + 8.5


def fmt(v):
    return f"{v:.1f}".rstrip("0").rstrip(".")


def tooth_shape(kind, w, d):
    """Outline and grooves of a tooth in its own frame: x along the arch, y outwards (buccal)."""
    hw, hd = w / 2, d / 2
    if kind in (1, 2):  # incisor: a shield, broad at the lip, narrowing to the cingulum
        outline = (f"M{fmt(-hw)},{fmt(hd*0.25)} C{fmt(-hw*0.75)},{fmt(hd*1.1)} {fmt(hw*0.75)},{fmt(hd*1.1)} "
                   f"{fmt(hw)},{fmt(hd*0.25)} C{fmt(hw*0.85)},{fmt(-hd*0.55)} {fmt(hw*0.35)},{fmt(-hd)} 0,{fmt(-hd)} "
                   f"C{fmt(-hw*0.35)},{fmt(-hd)} {fmt(-hw*0.85)},{fmt(-hd*0.55)} {fmt(-hw)},{fmt(hd*0.25)} Z")
        grooves = f"M{fmt(-hw*0.7)},{fmt(hd*0.42)} Q0,{fmt(hd*0.62)} {fmt(hw*0.7)},{fmt(hd*0.42)}"
    elif kind == 3:  # canine: a pointed oval with its cusp ridge
        outline = (f"M{fmt(-hw)},{fmt(hd*0.1)} C{fmt(-hw)},{fmt(-hd*0.9)} {fmt(-hw*0.2)},{fmt(-hd)} 0,{fmt(-hd)} "
                   f"C{fmt(hw*0.2)},{fmt(-hd)} {fmt(hw)},{fmt(-hd*0.9)} {fmt(hw)},{fmt(hd*0.1)} "
                   f"C{fmt(hw)},{fmt(hd*0.75)} {fmt(hw*0.3)},{fmt(hd)} 0,{fmt(hd)} "
                   f"C{fmt(-hw*0.3)},{fmt(hd)} {fmt(-hw)},{fmt(hd*0.75)} {fmt(-hw)},{fmt(hd*0.1)} Z")
        grooves = f"M0,{fmt(hd*0.5)} L0,{fmt(-hd*0.5)}"
    elif kind in (4, 5):  # premolar: an oval with its central groove between two cusps
        r = min(hw, hd) * 0.85
        outline = (f"M{fmt(-hw+r)},{fmt(-hd)} H{fmt(hw-r)} A{fmt(r)},{fmt(r)} 0 0 1 {fmt(hw)},{fmt(-hd+r)} "
                   f"V{fmt(hd-r)} A{fmt(r)},{fmt(r)} 0 0 1 {fmt(hw-r)},{fmt(hd)} H{fmt(-hw+r)} "
                   f"A{fmt(r)},{fmt(r)} 0 0 1 {fmt(-hw)},{fmt(hd-r)} V{fmt(-hd+r)} "
                   f"A{fmt(r)},{fmt(r)} 0 0 1 {fmt(-hw+r)},{fmt(-hd)} Z")
        grooves = (f"M{fmt(-hw*0.55)},{fmt(-hd*0.05)} C{fmt(-hw*0.2)},{fmt(hd*0.12)} "
                   f"{fmt(hw*0.2)},{fmt(-hd*0.12)} {fmt(hw*0.55)},{fmt(hd*0.05)}")
    else:  # molar: a rounded square with its fissures between four cusps
        r = min(hw, hd) * 0.45
        outline = (f"M{fmt(-hw+r)},{fmt(-hd)} H{fmt(hw-r)} Q{fmt(hw)},{fmt(-hd)} {fmt(hw)},{fmt(-hd+r)} "
                   f"V{fmt(hd-r)} Q{fmt(hw)},{fmt(hd)} {fmt(hw-r)},{fmt(hd)} H{fmt(-hw+r)} "
                   f"Q{fmt(-hw)},{fmt(hd)} {fmt(-hw)},{fmt(hd-r)} V{fmt(-hd+r)} "
                   f"Q{fmt(-hw)},{fmt(-hd)} {fmt(-hw+r)},{fmt(-hd)} Z")
        grooves = (f"M{fmt(-hw*0.62)},{fmt(hd*0.08)} L{fmt(-hw*0.15)},{fmt(-hd*0.05)} "
                   f"L{fmt(hw*0.2)},{fmt(hd*0.08)} L{fmt(hw*0.62)},{fmt(-hd*0.04)} "
                   f"M{fmt(-hw*0.15)},{fmt(-hd*0.05)} L{fmt(-hw*0.08)},{fmt(-hd*0.62)} "
                   f"M{fmt(hw*0.2)},{fmt(hd*0.08)} L{fmt(hw*0.12)},{fmt(hd*0.62)}")
    return outline, grooves


def arch(teeth, depth, inner, number_gap):
    parts = []
    pts = [centre(t) for t in teeth]
    n = len(teeth)
    for i, fdi in enumerate(teeth):
        x, y = pts[i]
        prev = pts[i - 1] if i > 0 else None
        nxt = pts[i + 1] if i < n - 1 else None
        a = prev if prev else (2 * x - nxt[0], 2 * y - nxt[1])
        b = nxt if nxt else (2 * x - prev[0], 2 * y - prev[1])
        tx, ty = b[0] - a[0], b[1] - a[1]
        angle = math.degrees(math.atan2(ty, tx))
        gaps = [math.dist((x, y), p) for p in (prev, nxt) if p]
        width = 0.86 * (sum(gaps) / len(gaps))
        kind = fdi % 10
        d = depth[kind]
        if DECIDUOUS and kind >= 4:
            kind = 6  # the deciduous molars are drawn as molars
        # Outwards: away from the inside of the arch.
        nx, ny = -ty, tx
        norm = math.hypot(nx, ny)
        nx, ny = nx / norm, ny / norm
        if (x - inner[0]) * nx + (y - inner[1]) * ny < 0:
            nx, ny = -nx, -ny
            angle += 180
        outline, grooves = tooth_shape(kind, width, d)
        parts.append(
            f'<g transform="translate({fmt(x)} {fmt(y)}) rotate({fmt(angle)})">'
            f'<path d="{outline}" fill="url(#enamel)" stroke="#8C7B63" stroke-width="1.1"/>'
            f'<path d="{grooves}" fill="none" stroke="#B9A88C" stroke-width="0.9" stroke-linecap="round"/>'
            f"</g>")
        lx, ly = x + nx * (d / 2 + number_gap), y + ny * (d / 2 + number_gap)
        parts.append(f'<text x="{fmt(lx)}" y="{fmt(ly + 3.6)}" class="n">{fdi}</text>')
    return parts


def gum(teeth, width, fill=False):
    pts = [centre(t) for t in teeth]
    d = f"M{fmt(pts[0][0])},{fmt(pts[0][1])}"
    for i in range(1, len(pts)):
        mx, my = (pts[i - 1][0] + pts[i][0]) / 2, (pts[i - 1][1] + pts[i][1]) / 2
        d += f" Q{fmt(pts[i-1][0])},{fmt(pts[i-1][1])} {fmt(mx)},{fmt(my)}"
    d += f" L{fmt(pts[-1][0])},{fmt(pts[-1][1])}"
    if fill:
        # The open end of the arch curves inwards, as the soft palate and the tongue do.
        (x0, y0), (x1, y1) = pts[0], pts[-1]
        bend = -40 if y0 < H / 2 else 40
        d += f" Q{fmt((x0 + x1) / 2)},{fmt((y0 + y1) / 2 + bend)} {fmt(x0)},{fmt(y0)} Z"
        return f'<path d="{d}" fill="#FCEBEE"/>'
    return (f'<path d="{d}" fill="none" stroke="#F6C9CF" stroke-width="{width}" stroke-linecap="round" '
            f'stroke-linejoin="round"/>')


out = [
    '<?xml version="1.0" encoding="UTF-8"?>',
    f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="{W}" height="{H}" '
    f'viewBox="0 0 {W} {H}">',
    "  <!-- Sorrisa: dental scheme, " + ("deciduous teeth, " if DECIDUOUS else "")
    + "both arches seen from above, FDI numbers; drawn by tools/make-dental-scheme.py"
    + (", option deciduous" if DECIDUOUS else "") + " -->",
    "  <defs>",
    '    <radialGradient id="enamel" cx="0.4" cy="0.35" r="0.75">',
    '      <stop offset="0" stop-color="#FFFFFF"/><stop offset="0.7" stop-color="#F8F3E8"/>'
    '<stop offset="1" stop-color="#E9DFCB"/>',
    "    </radialGradient>",
    "  </defs>",
    f'  <rect x="0.75" y="0.75" width="{W-1.5}" height="{H-1.5}" rx="12" fill="#F7FAFD" stroke="#C9DCEC" '
    'stroke-width="1.5"/>',
    # Palate and floor of the mouth, faintly, inside each arch.
    "  " + gum(UPPER, 0, True),
    "  " + gum(LOWER, 0, True),
    "  " + gum(UPPER, 34),
    "  " + gum(LOWER, 30),
    # Midline and the sides, between the arches.
    f'  <path d="M139,24 V{H-22}" stroke="#C9DCEC" stroke-width="1" stroke-dasharray="3 3" fill="none"/>',
    '  <path d="M34,240 H244" stroke="#C9DCEC" stroke-width="1" fill="none"/>',
    '  <text x="18" y="244" class="s">DX</text>',
    f'  <text x="{W-18}" y="244" class="s">SX</text>',
]
out += ["  " + p for p in arch(UPPER, DEPTH_UP, (139, 215), 8)]
out += ["  " + p for p in arch(LOWER, DEPTH_LO, (139, 262), 8)]
out += [
    '  <rect x="89" y="118" width="100" height="40" rx="7" fill="#FFFFFF" fill-opacity="0.85"/>',
    '  <text x="139" y="134" class="t">ARCATA</text>',
    '  <text x="139" y="151" class="t">SUPERIORE</text>',
    '  <rect x="89" y="320" width="100" height="40" rx="7" fill="#FFFFFF" fill-opacity="0.85"/>',
    '  <text x="139" y="336" class="t">ARCATA</text>',
    '  <text x="139" y="353" class="t">INFERIORE</text>',
    "</svg>",
]
text = "\n".join(out) + "\n"
for name, attrs in CLASS.items():
    text = text.replace(f'class="{name}"', attrs)
sys.stdout.write(text)
