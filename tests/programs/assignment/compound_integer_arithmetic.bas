k = 10
k -= 3
k *= 4
k /= 3
print k
