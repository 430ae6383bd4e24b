// Lines of every slope, partly off the screen, and filled rectangles of
// many widths: a checksum of the pixels they leave.
for k = 0 to 63
x = mod(k * 37, 300) - 40
y = mod(k * 53, 200) - 30
line x, y, x + mod(k * 13, 90) - 45, y + mod(k * 29, 70) - 35, 1, mod(k, 15) + 1
rectangle 400 + mod(k, 8), 10 + k * 3, 400 + mod(k, 8) + k, 12 + k * 3, 1, mod(k, 7) + 2
next
line 1000, -5, -10, 250, 1, 9
line -1000000, 100, 1000000, 102
total = 0
for y = 0 to 220
for x = 0 to 480
total = total + pixelclr(x, y) * mod(x * 7 + y * 3, 11)
next
next
print total
