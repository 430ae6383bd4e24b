// A text function whose result would pass the bound of every text (256 MiB)
// gives its failure value, as when it checks the bound itself.
a = spaces(200000000)
print insert(a, a, 1)
print replace(a, a, 100000000)
print length(insert(a, "x", 1)); " "; length(replace(a, "xy", 200000000))
