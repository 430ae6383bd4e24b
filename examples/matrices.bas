// Matrices and statistics: a product, an inverse, a fitted line and its plot.
//
// Arrays are named and sized with dim; whole-array statements work on them
// by name. The results are printed on the left, the plot is on the right.

// A 2 x 2 system: multiply two matrices, then invert one of them.
dim a[2, 2]
dim b[2, 2]
a[0, 0] = 2
a[0, 1] = 1
a[1, 0] = 1
a[1, 1] = 3
b[0, 0] = 1
b[0, 1] = 2
b[1, 0] = 0
b[1, 1] = 1
mmultiply a, b, p
print "A x B = [", p[0, 0], " ", p[0, 1], "; ", p[1, 0], " ", p[1, 1], "]"
minvert a, inv, det
print "det(A) = ", round(det)
print "inverse of A = [", format(inv[0, 0], "0.00"), " ", format(inv[0, 1], "0.00"), "; ", format(inv[1, 0], "0.00"), " ", format(inv[1, 1], "0.00"), "]"
// The product of a matrix and its inverse is the identity.
mmultiply a, inv, check
print "A x inverse = [", round(check[0, 0]), " ", round(check[0, 1]), "; ", round(check[1, 0]), " ", round(check[1, 1]), "]"
print

// Measurements: temperature of a cooling cup, one reading a minute, with a
// little noise. Row 0 holds the minutes, row 1 the degrees.
seedrandom 7
dim readings[2, 12]
for k = 0 to 11
    readings[0, k] = k
    readings[1, k] = 80 - 3.5 * k + (random(100) - 50) / 25.0
next
print "mean temperature: ", format(msum(readings) / 12 - 5.5, "0.0"), " degrees"

// The straight line that fits the readings best (least squares).
mregression readings, slope, start
print "fitted line: ", format(start, "0.0"), " + (", format(slope, "0.00"), ") x minutes"
print "cooling per minute: ", format(-slope, "0.00"), " degrees"

// The readings as a graph: left, top, width, height, colour, line width;
// the plot writes the ranges and scales it used into elements 6 to 11.
dim plot[12]
plot[0] = 420
plot[1] = 60
plot[2] = 340
plot[3] = 260
plot[4] = 4
plot[5] = 2
mplotxy plot, readings
xytext 420, 330, "temperature over 12 minutes", "Arial", 10, 0, 0
// The fitted line drawn over the graph: the ranges kept from the first
// plot put it on the same scale.
for k = 0 to 11
    readings[1, k] = start + slope * k
next
plot[4] = 1
plot[5] = 1
mplotxy plot, readings
