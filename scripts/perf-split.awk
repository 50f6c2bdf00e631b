# perf-split.awk: sorts the samples of a profile of okel by where its frame
# time goes: Mesa's rasterizer threads, the texture paths, GLU's mipmap
# builds, file reads, okel's own code and the rest. Feed it `perf script` output of a
# `perf record --call-graph dwarf` run (see docs/performance.md):
#   awk -f scripts/perf-split.awk okel.perf.txt
#
# Groups the samples of `perf script` output: one block per sample, a header
# line, then the frames from the sampled function outwards.
function group() {
  if (comm ~ /^llvmpipe/) return "rasterizer"        # Mesa's rasterizer threads
  if (leaf ~ /okel\/okel\)$/) return "own code"       # sampled in the okel binary
  if (leaf ~ /libGLU/) return "GLU mipmaps"           # sampled in libGLU itself
  if (stack ~ /_IO_fread/) return "file reads"        # under fread
  if (stack ~ /gluBuild2DMipmaps|uploadPattern/) return "texture uploads"
  return "other"
}
/cpu-clock/ { comm = $1; leaf = ""; stack = ""; n++; next }
NF == 0 { if (leaf != "") count[group()]++; leaf = ""; next }
{ if (leaf == "") leaf = $0; stack = stack "\n" $0 }
END {
  if (leaf != "") count[group()]++
  split("rasterizer,texture uploads,GLU mipmaps,file reads,own code,other", order, ",")
  for (i = 1; i <= 6; i++) printf "%6.2f%%  %s\n", 100 * count[order[i]] / n, order[i]
  printf "samples: %d\n", n
}
