h = fileopen("bench.bin", 0)
total = 0
for k = 1 to 1000000
    total = total + filereadb(h)
next k
print total, " ", fileclose(h)
