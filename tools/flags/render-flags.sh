#!/usr/bin/env bash
# Renders the flag pictures of the selected-QSO view into resources/flags/ and
# writes resources/flags.qrc.
#
# The flags come from the Debian package iso-flags-svg (4:3 SVG drawings by
# ISO country code). Each one is rendered stretched to 120 x 60 pixels (the
# view shows them at 60 x 30), put on white and stored as a baseline JPEG of
# quality 85. The build only uses the committed JPEGs; this script is needed
# only when a flag is added or changed.
#
# Needs: iso-flags-svg librsvg2-bin netpbm libjpeg-turbo-progs
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
svgdir=${ISO_FLAGS_SVG:-/usr/share/iso-flags-svg/country-4x3}
outdir="$root/resources/flags"
qrc="$root/resources/flags.qrc"

for tool in rsvg-convert pngtopnm cjpeg; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

# file name (without .jpg)   source drawing   what shows it
flags=(
  "armenia                   am   Armenia"
  "belarus                   by   Belarus"
  "estonia                   ee   Estonia"
  "russia                    ru   Russia, Franz Josef Land, Malyj Vysotskij, Kaliningrad"
  "brazil                    br   Brazil"
  "latvia                    lv   Latvia"
  "lithuania                 lt   Lithuania"
  "austria                   at   Austria"
  "belgium                   be   Belgium"
  "bulgaria                  bg   Bulgaria"
  "czech-republic            cz   Czech Republic"
  "slovakia                  sk   Slovakia"
  "denmark                   dk   Denmark"
  "guernsey                  gg   Guernsey"
  "isle-of-man               im   Isle of Man"
  "jersey                    je   Jersey"
  "united-kingdom            gb   England, Northern Ireland"
  "scotland                  _scotland   Scotland"
  "wales                     _wales      Wales"
  "finland                   fi   Finland, Market Reef"
  "france                    fr   France, Corsica, Guadeloupe, Clipperton, St Martin"
  "germany                   de   Germany"
  "greece                    gr   Greece, Mt Athos, Dodecanese, Crete"
  "hungary                   hu   Hungary"
  "ireland                   ie   Ireland"
  "malta                     mt   Malta"
  "italy                     it   Italy, Sardinia"
  "netherlands               nl   Netherlands"
  "norway                    no   Norway, Svalbard, Jan Mayen"
  "poland                    pl   Poland"
  "portugal                  pt   Portugal, Azores"
  "spain                     es   Spain"
  "sweden                    se   Sweden"
  "switzerland               ch   Switzerland, ITU Geneva"
  "ukraine                   ua   Ukraine"
  "croatia                   hr   Croatia"
  "slovenia                  si   Slovenia"
  "iceland                   is   Iceland"
  "romania                   ro   Romania"
  "gibraltar                 gi   Gibraltar"
  "montenegro                me   Montenegro"
  "monaco                    mc   Monaco"
  "andorra                   ad   Andorra"
  "bosnia-and-herzegovina    ba   Bosnia Hercegovina"
  "moldova                   md   Moldova"
  "liechtenstein             li   Liechtenstein"
  "vatican                   va   Vatican"
  "luxembourg                lu   Luxembourg"
  "aland-islands             ax   Aland Islands"
  "faroe-islands             fo   Faeroe Islands"
  "san-marino                sm   San Marino"
  "turkey                    tr   Turkey"
  "serbia                    rs   Serbia"
  "albania                   al   Albania"
  "united-states             us   USA, Guantanamo Bay"
  "canada                    ca   Canada (both pictures), St Paul, Sable Island"
  "mexico                    mx   Mexico"
  "united-nations            _united_nations   UN HQ"
  "jamaica                   jm   Jamaica"
  "barbados                  bb   Barbados"
  "bahamas                   bs   Bahamas"
  "cuba                      cu   Cuba"
  "martinique                mq   Martinique"
  "saint-pierre-and-miquelon pm   St Pierre and Miquelon"
  "haiti                     ht   Haiti"
  "dominican-republic        do   Dominican Rep"
  "colombia                  co   San Andres and Providencia"
  "panama                    pa   Panama"
  "honduras                  hn   Honduras"
  "grenada                   gd   Grenada"
  "saint-lucia               lc   St Lucia"
  "dominica                  dm   Dominica"
  "saint-vincent             vc   St Vincent"
  "japan                     jp   Japan"
  "united-arab-emirates      ae   United Arab Emirates"
  "kuwait                    kw   Kuwait"
  "oman                      om   Oman"
  "georgia                   ge   Georgia"
  "kazakhstan                kz   Kazakhstan"
  "israel                    il   Israel"
  "lebanon                   lb   Lebanon"
  "mauritania                mr   Mauritania"
  "kenya                     ke   Kenya"
  "saudi-arabia              sa   Saudi Arabia"
  "china                     cn   China"
  "pakistan                  pk   Pakistan (both pictures)"
  "azerbaijan                az   Azerbaijan"
  "india                     in   India"
  "algeria                   dz   Algeria"
  "belize                    bz   Belize"
  "cayman-islands            ky   Cayman Isles"
  "new-zealand               nz   New Zealand"
  "equatorial-guinea         gq   Equatorial Guinea"
  "norfolk-island            nf   Norfolk Island"
  "australia                 au   Australia"
  "peru                      pe   Peru"
  "new-caledonia             nc   New Caledonia"
  "venezuela                 ve   Venezuela"
  "puerto-rico               pr   Puerto Rico"
  "argentina                 ar   Argentina"
  "morocco                   ma   Morocco"
  "south-africa              za   South Africa"
  "uruguay                   uy   Uruguay"
  "chile                     cl   Chile"
  "costa-rica                cr   Costa Rica"
  "ecuador                   ec   Ecuador"
  "jordan                    jo   Jordan"
  "tunisia                   tn   Tunisia"
)

# Drawings whose colours are off in the package, with the sed expression that
# sets the official colours.
declare -A recolour=(
  [li]='s/#8a85ff/#002b7f/g; s/#e4104d/#ce1126/g'
)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p "$outdir"
rm -f "$outdir"/*.jpg
names=()
for row in "${flags[@]}"; do
  read -r name code _ <<<"$row"
  src="$svgdir/$code.svg"
  [ -f "$src" ] || { echo "missing drawing: $src" >&2; exit 1; }
  if [ -n "${recolour[$code]:-}" ]; then
    sed -e "${recolour[$code]}" "$src" >"$tmp/$code.svg"
    src="$tmp/$code.svg"
  fi
  rsvg-convert --width 120 --height 60 --background-color white "$src" -o "$tmp/$name.png"
  pngtopnm "$tmp/$name.png" >"$tmp/$name.ppm"
  cjpeg -quality 85 -optimize -outfile "$outdir/$name.jpg" "$tmp/$name.ppm"
  names+=("$name")
done

{
  echo '<!DOCTYPE RCC>'
  echo '<RCC version="1.0">'
  echo '  <qresource prefix="/flags">'
  for name in $(printf '%s\n' "${names[@]}" | sort); do
    echo "    <file alias=\"$name.jpg\">flags/$name.jpg</file>"
  done
  echo '  </qresource>'
  echo '</RCC>'
} >"$qrc"

echo "rendered ${#names[@]} flags into $outdir"
