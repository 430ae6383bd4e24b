print "before"
readbmp "/tmp/qv-images-no-such-file"
print "never"
