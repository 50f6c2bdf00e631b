# dpkg-parsechangelog --all --format rfc822 | awk -f releases.awk: the
# changelog's entries, newest first, as the <release> elements of the
# AppStream metadata, with the XML's special characters escaped. An entry
# is a paragraph whose Changes field holds its items, "   * text" continued
# on lines indented by five.
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
  inChanges = 0
}
{ gsub(/&/, "\\&amp;"); gsub(/</, "\\&lt;"); gsub(/>/, "\\&gt;") }
/^$/ { endEntry() }
/^Version: / { version = $2 }
/^Date: / { date = sprintf("%s-%02d-%02d", $5, (index("JanFebMarAprMayJunJulAugSepOctNovDec", $4) + 2) / 3, $3) }
/^Changes:/ { inChanges = 1 }
inChanges && /^   \* / { endItem(); item = substr($0, 6) }
inChanges && /^     / { item = item " " substr($0, 6) }
END { endEntry() }
