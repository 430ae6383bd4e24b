' Short rows, then one far wider than the screen, then short rows again: the
' wrapped text, the text buffer and the image agree with a window made at once.
for i = 1 to 3
  print "short "; i
next
a = ""
for i = 1 to 30
  a = a + "0123456789"
next
print a
print "end"
b = gettextbuff()
print b
readpixel 5, 60, v
print v
