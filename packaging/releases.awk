# dpkg-parsechangelog --all --format rfc822 | awk -f releases.awk: each
# entry (a paragraph; only its Changes field has indented lines, its items
# "   * text" continued on lines indented by five) as a <release> of the
# AppStream metadata, XML-escaped.
function endItem() {
  if (item != "") items = items "          <li>" item "</li>\n"
  item = ""
}
function endEntry() {
  endItem()
  if (version != "")
    printf "    <release version=\"%s\" date=\"%s\">\n      <description>\n        <ul>\n%s        </ul>\n" \
           "      </description>\n    </release>\n", version, date, items
  version = items = ""
}
{ gsub(/&/, "\\&amp;"); gsub(/</, "\\&lt;"); gsub(/>/, "\\&gt;") }
/^$/ { endEntry() }
/^Version: / { version = $2 }
/^Date: / { date = sprintf("%s-%02d-%02d", $5, (index("JanFebMarAprMayJunJulAugSepOctNovDec", $4) + 2) / 3, $3) }
/^   \* / { endItem(); item = substr($0, 6) }
/^     / { item = item " " substr($0, 6) }
END { endEntry() }
