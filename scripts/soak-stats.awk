# soak-stats.awk: the statistics of scripts/soak, from its two record files.
#
#   awk -v mode=fps -v period=P -f soak-stats.awk FPS-FILE
#     FPS-FILE holds Mesa's frames per second, one line per period of P
#     seconds. Prints the frame total (each period's rate rounded up, a
#     lower bound, as Mesa closes a period only at the end of a frame) and
#     the median and range of the rates, the first period left out.
#   awk -v mode=memory -v warmUp=W -v stretch=S -f soak-stats.awk RSS-FILE
#     RSS-FILE holds "seconds KiB" readings. Prints the median of the
#     readings over the S seconds after the warm-up of W seconds, the median
#     over the last S seconds, and the lowest and highest reading after the
#     warm-up, in KiB; nothing when either stretch has no reading.

# Sorts values[1..n] in place (insertion sort: a few thousand values at most).
function sortValues(values, n,    i, j, v) {
  for (i = 2; i <= n; i++) {
    v = values[i]
    for (j = i - 1; j >= 1 && values[j] > v; j--) values[j + 1] = values[j]
    values[j + 1] = v
  }
}

function median(values, n) {
  sortValues(values, n)
  return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
}

mode == "fps" {
  frames = $1 * period
  total += frames == int(frames) ? frames : int(frames) + 1
  if (NR > 1) rates[++rateCount] = $1
}

mode == "memory" { t[NR] = $1; kib[NR] = $2; last = $1 }

END {
  if (mode == "fps") {
    printf "frames: at least %d in %d periods of %g s or a little more\n", total, NR, period
    if (rateCount > 0) {
      middle = median(rates, rateCount)
      printf "frames per second: median %.1f, range %.1f to %.1f\n", middle, rates[1], rates[rateCount]
    }
  } else if (mode == "memory") {
    for (i = 1; i <= NR; i++) {
      if (t[i] < warmUp) continue
      if (t[i] < warmUp + stretch) early[++nEarly] = kib[i]
      if (t[i] >= last - stretch) late[++nLate] = kib[i]
      if (low == "" || kib[i] < low) low = kib[i]
      if (kib[i] > high) high = kib[i]
    }
    if (nEarly && nLate)
      printf "%d %d %d %d\n", median(early, nEarly), median(late, nLate), low, high
  }
}
