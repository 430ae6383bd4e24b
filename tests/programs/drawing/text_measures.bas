// textwidth and textheight: the defaults, the sizes and styles, and the
// width that xytext then gives the same text in the same font.
print textwidth(""), " ", textwidth("", "DejaVu Sans", 40, 7)
// The defaults are 11-point Courier New, plain.
print textwidth("abc"), " ", textwidth("abc", "Courier New", 11, 0), " ", textwidth("abc", "", 0, -5)
print textheight("abc"), " ", textheight("", "", 0), " ", textheight("x", "Courier New", -3, -1)
// The height follows the size alone: 20 points are 27 pixels, 1.1 * 29.
print textheight("x", "", 20), " ", textheight("x", "DejaVu Sans", 20, 7), " ", textheight("x", "", 1)
// Wider texts measure wider, in a fixed and a proportional face.
print textwidth("abcd") > textwidth("abc"), " ", textwidth("WWW", "DejaVu Sans", 20) > textwidth("iii", "DejaVu Sans", 20)
// Bold is never narrower than regular.
faces = "Courier New|DejaVu Sans|Liberation Serif"
for k = 1 to 3
face = extract(faces, "|", k)
print face, " bold >= regular: ", textwidth("Measured Text", face, 16, 1) >= textwidth("Measured Text", face, 16, 0)
next

// Each case is drawn with a yellow background on a white screen; the
// columns the background reaches are the drawn width.
cases = "Hello, World|Courier New|11|0|Hello, World|DejaVu Sans|14|1|Wide WWW and narrow iii|Liberation Serif|18|2|"
cases = cases + "Under|DejaVu Sans Mono|12|4|Fallback face|No Such Face At All|13|3|x|Courier New|30|0"
for k = 0 to 5
text = extract(cases, "|", 4 * k + 1)
face = extract(cases, "|", 4 * k + 2)
size = tonumber(extract(cases, "|", 4 * k + 3))
style = tonumber(extract(cases, "|", 4 * k + 4))
call drawn_width(text, face, size, style)
measured = textwidth(text, face, size, style)
if drawn_width__Result = measured
print text, ": same"
else
print text, ": measured ", measured, " drawn ", drawn_width__Result
endif
next
end

sub drawn_width(text, face, size, style)
clearscr 15
xytext 100, 100, text, face, size, style, 0, 14
first = -1
last = -1
for x = 90 to 790
for y = 100 to 100 + textheight(text, face, size, style)
if pixelclr(x, y) = 14
last = x
endif
if first < 0 and last >= 0
first = last
endif
next
next
return last - first + 1
