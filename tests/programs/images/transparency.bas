' With transparent on, pixels of the picture's top-left colour are left out.
dim p[1, 3]
p[0, 0] = 255
p[0, 1] = 65280
p[0, 2] = 255
mwritebmp p, "/tmp/qv-images-tr"
rectanglewh 0, 0, 800, 600, 15, 15
transparent 1
readbmp "/tmp/qv-images-tr", 0, 0
mscrtoarray s, 0, 0, 3, 1
print s[0, 0], " ", s[0, 1], " ", s[0, 2]
transparent 0
readbmp "/tmp/qv-images-tr", 0, 0
mscrtoarray s, 0, 0, 3, 1
print s[0, 0], " ", s[0, 1], " ", s[0, 2]
