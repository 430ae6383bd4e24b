' A picture saved from the screen after printing holds the printed text.
print "Hello, world"
print "saved"
writebmp "/tmp/qv-runner-printed", 0, 0, 120, 40
bmpstats st, "/tmp/qv-runner-printed"
for i = 0 to 9
  print st[i]; " ";
next
