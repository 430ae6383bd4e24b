call g(3)
print g__Result
end
sub g(d)
v1 = d * 1
v2 = d * 2
v3 = d * 3
v4 = d * 4
v5 = d * 5
v6 = d * 6
v7 = d * 7
v8 = d * 8
v9 = d * 9
v10 = d * 10
v11 = d * 11
v12 = d * 12
v13 = d * 13
v14 = d * 14
v15 = d * 15
v16 = d * 16
v17 = d * 17
v18 = d * 18
v19 = d * 19
v20 = d * 20
v21 = d * 21
v22 = d * 22
v23 = d * 23
v24 = d * 24
r = 0
if d > 0 then call g(d - 1)
if d > 0 then r = g__Result
return r + v1 + v24 + d
