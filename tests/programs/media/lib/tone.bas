// Writes a 400 ms tone of 440 Hz (8 kHz, 16-bit mono) as a wave file.
sub maketone(name)
h = filecreate(name)
n = 3200
call word(h, 1179011410, 4)
call word(h, 36 + 2 * n, 4)
call word(h, 1163280727, 4)
call word(h, 544501094, 4)
call word(h, 16, 4)
call word(h, 1, 2)
call word(h, 1, 2)
call word(h, 8000, 4)
call word(h, 16000, 4)
call word(h, 2, 2)
call word(h, 16, 2)
call word(h, 1635017060, 4)
call word(h, 2 * n, 4)
for k = 0 to n - 1
    v = round(8000 * sin(2 * pi() * 440 * k / 8000))
    if v < 0 then v = v + 65536
    call word(h, v, 2)
next k
x = fileclose(h)
return

// Writes v as n bytes, least significant first.
sub word(h, v, n)
for b = 1 to n
    x = filewriteb(h, v band 255)
    v = (v - (v band 255)) / 256
next b
return
