onerror trap
print timeval(0, 30, 0, 0)
print dateval(2024, 0, 1)
print degrees("10 30", 5)
print datetimeval(12)
end
trap:
onerror trap
geterror n, t
print n
print t
return
