' A product or a colour combination that fails after its checks removes its
' target, also one that stood before the call and one that names a source.
onerror trapped
dim a[2, 2]
mconstant a, 1
dim b[2, 2]
mconstant b, 2
b[1, 1] = "x"
dim t[3]
t[0] = 5
mmultiply a, b, t
print "text in a source: t has "; mdim(t); " dimensions"
mmultiply a, b, b
print "into a source: b has "; mdim(b); " dimensions"
' Rows times columns past the store's limit: memory for the result (73).
dim r[100000, 1]
mconstant r, 1
dim c[1, 100000]
mconstant c, 1
dim t[2]
mmultiply r, c, t
print "too large: t has "; mdim(t); " dimensions"
' The checks before the target is made leave it as it was.
dim t[2]
mmultiply a, nosuch, t
mmultiply a, r, t
print "checks: t has "; mdim(t); " dimension"
' A product that succeeds into a source is computed aside.
dim b[2, 2]
mconstant b, 2
mmultiply a, b, a
print "product into a: "; a[0, 0]; " "; a[1, 1]
end
trapped:
geterror n
print "error "; n
onerror trapped
return
