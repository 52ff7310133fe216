#!/bin/sh
# Regenerates data/help/design_list.html: each of the five designs built by
# hanamori-cli from sample_listing.json.
# Usage: scripts/make-design-list.sh path/to/hanamori-cli [repository root]
set -eu
cli=$1
root=${2:-$(cd "$(dirname "$0")/.." && pwd)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Datas" "$work/work" "$work/template" "$work/CostData" "$work/user.ini"
cp "$root/data/template/color.lst" "$work/template/"
cp "$root"/data/CostData/*.dat "$work/CostData/"
"$cli" --dir "$work" import "$root/tests/core/page/sample_listing.json" >/dev/null

out="$work/design_list.html"
utf8() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 >>"$out"; }
utf8 '<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<title>Hanamori - デザイン一覧</title>
</head>
<body>
<h2>デザイン一覧</h2>
<p>商品説明ページのデザインは次の5種類です。見本の商品で作ったページを並べています。
カラーは「カラー」の一覧から選べます（簡易表示(カラー非対応)は色を使いません）。</p>
'
for pair in "デザイン１|ブルー" "デザイン２|グリーン" "デザイン３|オレンジ" \
            "簡易表示（カラー対応）|パープル" "簡易表示(カラー非対応)|グレー"; do
    design=${pair%%|*}
    color=${pair#*|}
    utf8 "<hr size=\"1\" width=\"100%\">
<h3>$design</h3>
<p>カラー: $color</p>
"
    "$cli" --dir "$work" page 100000000001 --design "$design" --color "$color" -o "$work/body.html"
    cat "$work/body.html" >>"$out"
    utf8 '
<br>
'
done
utf8 '<hr size="1" width="100%">
</body>
</html>
'
cp "$out" "$root/data/help/design_list.html"
