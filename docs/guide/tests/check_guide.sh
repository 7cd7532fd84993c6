#!/usr/bin/env bash
# Checks a copy of the user guide as a package carries it: a well-formed page
# (read by libxml2's parser, which takes the guide as the XML it is written
# as), UTF-8, with no script and nothing fetched from the network; every
# picture in it is a PNG inside the page or a file beside it, and every link
# goes to a place in the page, a file beside it or a web page.
#
# Usage: check_guide.sh GUIDE_HTML
set -euo pipefail

guide=$1
folder=$(dirname "$guide")
fail() {
  echo "FAIL: $guide: $*" >&2
  exit 1
}

[[ -f "$guide" ]] || fail "missing"
iconv -f UTF-8 -t UTF-8 "$guide" >/dev/null || fail "not UTF-8"
xmllint --noout --nonet "$guide" || fail "not well-formed"
# Every value of an attribute that the XPath expression $1 selects, one a line.
values() { xmllint --nonet --xpath "$1" "$guide" 2>/dev/null | sed -E 's/^ *[a-z]+="(.*)"$/\1/'; }

[[ $(values 'string(/html/@lang)') == zh-CN ]] || fail "the page is not marked as Simplified Chinese"
[[ $(values 'count(//meta[@charset="utf-8"])') == 1 ]] || fail "the page does not say it is UTF-8"
[[ $(values 'count(//script | //link | //iframe | //object | //embed)') == 0 ]] ||
  fail "the page has a script or fetches something"
[[ $(values 'count(//img)') -gt 0 ]] || fail "the page has no pictures"

png_signature=89504e470d0a1a0a
while IFS= read -r src; do
  case "$src" in
    data:image/png\;base64,*) signature=$(base64 -d <<<"${src#*,}" | head -c 8 | xxd -p || true) ;;
    http:* | https:* | //*) fail "a picture is fetched from the network: $src" ;;
    *) signature=$(head -c 8 "$folder/$src" 2>/dev/null | xxd -p || true) ;;
  esac
  [[ $signature == "$png_signature" ]] || fail "the picture ${src:0:60} is no PNG"
done < <(values '//img/@src')

while IFS= read -r href; do
  case "$href" in
    '#'*) [[ $(values "count(//*[@id='${href#\#}'])") == 1 ]] || fail "no place in the page for $href" ;;
    https://*) ;;
    *) [[ -e "$folder/$href" ]] || fail "the link $href goes nowhere" ;;
  esac
done < <(values '//a/@href')
echo "check_guide: $guide is well-formed, and its pictures and links are there"
