' Text printed before anything looks at the screen is in its image all the same.
print "Hello, world"
print "second";
print " row"
clearscr
print "after the clear"
print "x"
mscrtoarray s, 0, 0, 120, 40
' The pixels of each text row that differ from the background.
for r = 0 to 1
  n = 0
  for y = r * 17 to r * 17 + 16
    for x = 0 to 119
      if s[y, x] <> s[39, 119] then n = n + 1
    next
  next
  print "row "; r; ": "; n
next
readpixel 0, 0, v
print v
