h = filecreate("bench.bin")
for k = 1 to 1000000
    n = filewriteb(h, k)
next k
print fileclose(h)
