a = 2
print evaluate("2+3")
print evaluate("a * 10 + 0.5")
print evaluate("2 +* 3")
print evaluate("evaluate(""a+1"") * 2")
print evaluate("_a")
onerror trap
x = evaluate("1/")
print "after"
print x
end
trap:
onerror trap
geterror n, t
print n
print t
return
