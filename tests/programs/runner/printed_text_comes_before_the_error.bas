' What a run printed comes out before the message of the error that ends it,
' also when both streams go to one file.
for i = 1 to 3
  print "line "; i
next
print "no line end";
x = y
