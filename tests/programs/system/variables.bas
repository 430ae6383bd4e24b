onerror trap
a = 1
b = 2.5
c = "x"
print vtype(a)
print vtype(zz)
print vartype("b")
print vartype("nothing")
print varvalue("c")
print varslist()
call s1()
print a
print local
print varvalue("missing")
print vtype(3)
end
sub s1()
q = 5
print varslist()
print varslist(1)
print vartype("_a")
print vtype(_b)
print varvalue("_c")
varset "_a", 10
varset "local", "t"
print local
return
trap:
onerror trap
geterror n
print n
return
