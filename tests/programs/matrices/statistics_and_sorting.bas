' Statistics of values and weights, fits, and sorts of rows and columns
mfromstring v, "5,1,4,2,9", ","
print sum(v); average(v); median(v); max(v); min(v); range(v)
msort v
print mtostring(v, " ")
msort v, 0, 1
print mtostring(v, " ")
dim m[2, 4]
mfromstring x, "4,2,3,1", ","
for k = 0 to 3
m[0, k] = x[k]
m[1, k] = x[k] * 2 + 1
next
mregression m, slope, intercept
print slope; intercept; corrcoef(m)
msortr m, 0
print m[0, 0]; m[0, 3]; m[1, 0]; m[1, 3]
mconstant m, 2
print msum(m); mcount(m)
