# Writes the Unicode tables the plug-in's text operations use, as C++ source, from the Unicode
# Character Database (Debian's unicode-data): UnicodeData.txt (canonical decompositions, combining
# classes, simple upper- and lower-case mappings), CaseFolding.txt (full case folding: C and F) and
# SpecialCasing.txt (the full case mappings that hold in every language and context).
#   awk -f unicode_tables.awk UnicodeData.txt CaseFolding.txt SpecialCasing.txt > unicode_tables.inc
BEGIN { FS = ";" }

FNR == 1 { file++ }

file == 1 {
  code = $1
  if ($4 != "0") ccc[++ncc] = code ", " $4
  if ($6 != "" && substr($6, 1, 1) != "<") raw[code] = $6
  order[++ncodes] = code
  if ($13 != "") upper[++nup] = code ", 0x" $13
  if ($14 != "") lower[++nlow] = code ", 0x" $14
  next
}

file == 2 && $0 !~ /^#/ && NF >= 3 {
  gsub(/ /, "", $2)
  if ($2 == "C" || $2 == "F") {
    n = split($3, parts, " ")
    if (n > 3) { print "case folding longer than 3: " $1 > "/dev/stderr"; exit 1 }
    fold[++nfold] = $1 ", {" codes(parts, n, 3) "}"
  }
}

# The unconditional rows: code; lower; title; upper; # comment. A row whose fifth field names a
# condition (a language or a context) is left to the code.
file == 3 && $0 !~ /^#/ && NF >= 5 && $5 ~ /^ *#/ {
  code = $1
  if (trim($2) != code) special_lower[++nsl] = code ", {" codes_of($2) "}"
  if (trim($4) != code) special_upper[++nsu] = code ", {" codes_of($4) "}"
}

# Sorts rows[1..n] by their text: the file lists its rows by kind, the tables are searched by code
# (every code of the file has four hex digits, so text order is code order).
function sort_rows(rows, n,    i, j, row) {
  for (i = 2; i <= n; i++) {
    row = rows[i]
    for (j = i - 1; j >= 1 && rows[j] > row; j--) rows[j + 1] = rows[j]
    rows[j + 1] = row
  }
}

function trim(s) {
  gsub(/^ +| +$/, "", s)
  return s
}

function codes_of(field,    n, parts) {
  n = split(trim(field), parts, " ")
  if (n > 3) { print "special casing longer than 3: " field > "/dev/stderr"; exit 1 }
  return codes(parts, n, 3)
}

function codes(parts, n, width,    i, s) {
  s = ""
  for (i = 1; i <= width; i++) s = s (i > 1 ? ", " : "") (i <= n ? "0x" parts[i] : "0")
  return s
}

# The full canonical decomposition of code, as blank-separated hex codes.
function expand(code,    n, parts, i, s) {
  if (!(code in raw)) return code
  n = split(raw[code], parts, " ")
  s = ""
  for (i = 1; i <= n; i++) s = s (i > 1 ? " " : "") expand(parts[i])
  return s
}

END {
  print "// Generated from the Unicode Character Database by cmake/unicode_tables.awk; do not edit."
  print "static const UnicodeFolding kCaseFolding[] = {"
  for (i = 1; i <= nfold; i++) print "    {0x" fold[i] "},"
  print "};"
  print "static const UnicodeDecomposition kDecompositions[] = {"
  for (i = 1; i <= ncodes; i++) {
    code = order[i]
    if (!(code in raw)) continue
    n = split(expand(code), parts, " ")
    if (n > 4) { print "decomposition longer than 4: " code > "/dev/stderr"; exit 1 }
    print "    {0x" code ", {" codes(parts, n, 4) "}},"
  }
  print "};"
  print "static const UnicodePair kCombiningClasses[] = {"
  for (i = 1; i <= ncc; i++) print "    {0x" ccc[i] "},"
  print "};"
  print "static const UnicodePair kUpperCase[] = {"
  for (i = 1; i <= nup; i++) print "    {0x" upper[i] "},"
  print "};"
  print "static const UnicodePair kLowerCase[] = {"
  for (i = 1; i <= nlow; i++) print "    {0x" lower[i] "},"
  print "};"
  sort_rows(special_upper, nsu)
  sort_rows(special_lower, nsl)
  print "static const UnicodeFolding kSpecialUpperCase[] = {"
  for (i = 1; i <= nsu; i++) print "    {0x" special_upper[i] "},"
  print "};"
  print "static const UnicodeFolding kSpecialLowerCase[] = {"
  for (i = 1; i <= nsl; i++) print "    {0x" special_lower[i] "},"
  print "};"
}
