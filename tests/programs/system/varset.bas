varset "n", 5
varset "n", "now a text"
print n
declare x = 0
declare y = 0.5
declare s = ""
varset "x", 2.6
varset "y", 3
varset "s", "ok"
print x
print y
print s
onerror trap
varset "x", "text"
varset "s", 1
varset "undeclared", 1
varset "x", 1e30
end
trap:
onerror trap
geterror e
print e
return
