' A 2 x 3 times a 3 x 2 matrix, its inverse, determinant and transpose
dim a[2, 3]
dim b[3, 2]
for r = 0 to 1
for c = 0 to 2
a[r, c] = r * 3 + c + 1
b[c, r] = r * 3 + c + 7
next
next
mmultiply a, b, p
print p[0, 0]; p[0, 1]; p[1, 0]; p[1, 1]; mtype(p[0, 0])
minvert p, q, d
print round(d)
mmultiply p, q, i
print round(i[0, 0]); round(i[0, 1]); round(i[1, 0]); round(i[1, 1])
mtranspose a, t
print maxdim(t, 1); maxdim(t, 2); t[2, 1]
mdiagonal p, 1
print p[0, 0]; p[0, 1]; p[1, 0]; p[1, 1]
