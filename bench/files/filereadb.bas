h = fileopen("bench.bin", 0)
sum = 0
for k = 1 to 1000000
    sum = sum + filereadb(h)
next k
print sum, " ", fileclose(h)
