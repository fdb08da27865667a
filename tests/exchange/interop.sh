#!/usr/bin/env bash
# Parts exported by vornix-cli open in other programs' OBJ and DXF readers,
# and what those programs write imports again.
# Arguments: the vornix-cli program and a car file.
set -euo pipefail
cli=$1 car=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
py=/usr/bin/python3
[ -x "$py" ] || py=python3
if ! command -v assimp >/dev/null || ! "$py" -c 'import ezdxf' 2>/dev/null; then
    echo "needs assimp and python3-ezdxf (scripts/deps.sh installs them)"
    exit 77
fi
"$cli" export obj "$car" 1 "$tmp/w.obj"
"$cli" export dxf "$car" 1 "$tmp/w.dxf"
triangles() { "$cli" info --json "$1" | "$py" -c "import json,sys; print(json.load(sys.stdin)['parts'][$2]['triangles'])"; }
count=$(triangles "$car" 1)

# The OBJ reader sees one mesh of exactly the part's triangles, a corner
# each without post-processing, and the part's distinct positions when it
# writes them out again.
faces=$(assimp info "$tmp/w.obj" -r | sed -n 's/^Faces: *//p')
corners=$(assimp info "$tmp/w.obj" -r | sed -n 's/^Vertices: *//p')
[ "$faces $corners" = "$count $((3 * count))" ] || { echo "OBJ: $faces faces, $corners corners"; exit 1; }
assimp export "$tmp/w.obj" "$tmp/a.obj" >/dev/null
[ "$(grep -c '^v ' "$tmp/a.obj")" = "$(grep '^v ' "$tmp/w.obj" | sort -u | wc -l)" ] ||
    { echo "OBJ: the positions differ"; exit 1; }

# The DXF reader sees the same triangles as 3DFACEs, each corner the OBJ's
# vertex (x, y, z) at (x, -z, y), the fourth corner the first.
"$py" - "$tmp/w.obj" "$tmp/w.dxf" <<'EOF'
import sys, ezdxf
lines = open(sys.argv[1], newline="").read().split("\r\n")
v = [tuple(map(float, l.split()[1:])) for l in lines if l.startswith("v ")]
f = [[int(c.split("/")[0]) - 1 for c in l.split()[1:]] for l in lines if l.startswith("f ")]
faces = ezdxf.readfile(sys.argv[2]).modelspace().query("3DFACE")
assert len(faces) == len(f), (len(faces), len(f))
for face, corners in zip(faces, f):
    got = [face.dxf.vtx0, face.dxf.vtx1, face.dxf.vtx2]
    for p, c in zip(got, corners):
        x, y, z = v[c]
        assert abs(p[0] - x) + abs(p[1] + z) + abs(p[2] - y) < 1e-6, (p, v[c])
    assert face.dxf.vtx3 == face.dxf.vtx0
EOF

# OBJ as another program writes it (v/vt/vn corners, a material library).
"$cli" import "$car" "$tmp/a.obj" "$tmp/a.fce"
[ "$(triangles "$tmp/a.fce" 0)" = "$count" ] || { echo "OBJ import lost faces"; exit 1; }

# A drawing with a header section, a line, a triangle and a quadrilateral.
"$py" - "$tmp/e.dxf" <<'EOF'
import sys, ezdxf
doc = ezdxf.new()
msp = doc.modelspace()
msp.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 0)])
msp.add_line((0, 0, 0), (5, 5, 5))
msp.add_3dface([(0, 0, 1), (1, 0, 1), (1, 1, 1), (0, 1, 1)])
doc.saveas(sys.argv[1])
EOF
"$cli" import "$car" "$tmp/e.dxf" "$tmp/e.fce"
"$cli" export obj "$tmp/e.fce" 0 "$tmp/e.obj"
expected='v 0.0000 0.0000 -0.0000 v 1.0000 0.0000 -0.0000 v 1.0000 0.0000 -1.0000 v 0.0000 1.0000 -0.0000 v 1.0000 1.0000 -0.0000 v 1.0000 1.0000 -1.0000'
[ "$(grep '^v ' "$tmp/e.obj" | tr -d '\r' | paste -sd' ')" = "$expected" ] || { echo "DXF import: wrong corners"; grep '^v ' "$tmp/e.obj"; exit 1; }
echo "ok"
