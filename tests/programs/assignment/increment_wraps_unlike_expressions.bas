i = 2147483647
i++
print i
j = 2147483647 + 1
print j
