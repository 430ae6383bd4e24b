print buffreadi("abcd", 0) > 0
print buffreadi("abcd", 1)
