// Text files and byte buffers: write a small table, read it back, list the
// files, then keep the same numbers in a binary file.
//
// Files are reached through handles: filecreate makes a file for writing,
// fileopen opens an existing one, fileclose closes it. A text doubles as a
// byte buffer: buffprintb packs numbers into it, buffreadi and buffreadf read
// them back from a byte offset.

// Write a table of planets, one line each, its fields joined by commas.
h = filecreate("planets.txt")
if h = -1
    print "cannot create planets.txt here"
    end
endif
fileprintt h, "Mercury,0.39,88"
fileprintt h, "Venus,0.72,225"
fileprintt h, "Earth,1.00,365"
fileprintt h, "Mars,1.52,687"
fileprintt h, "Jupiter,5.20,4333"
x = fileclose(h)

// Read it back line by line and print it as a lined-up table.
print "planet      distance (AU)   year (days)"
h = fileopen("planets.txt", 0)
total = 0
lines = 0
while fileend(h) = 0
    row = filereadfield(h)
    if length(row) > 0
        name = extract(row, ",", 1)
        au = tonumber(extract(row, ",", 2))
        days = tonumber(extract(row, ",", 3))
        print name, spaces(12 - length(name)), format(au, "0.00"), spaces(14), format(days, "#,##0")
        total = total + days
        lines = lines + 1
    endif
wend
x = fileclose(h)
print "mean year: ", format(total / lines, "0.0"), " days over ", lines, " planets"
print

// The same numbers packed into bytes: an integer takes 4 bytes, a float 8.
record = ""
buffprintb record, 5, 0.39, 0.72, 1.0, 1.52, 5.2
h = filecreate("planets.dat")
fileprintb h, record
x = fileclose(h)
h = fileopen("planets.dat", 0)
size = filesize(h)
bytes = fileread(h, size)
x = fileclose(h)
stored = buffreadi(bytes, 0)
print "planets.dat holds ", size, " bytes: ", stored, " distances"
for k = 0 to stored - 1
    print "  ", format(buffreadf(bytes, 4 + 8 * k), "0.00"),
next
print

// What the folder holds now.
print "text files here: ", fileslist("*.txt")
print "data files here: ", fileslist("*.dat")
