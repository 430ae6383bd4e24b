// Starting programs: no shell, quotes group, exit codes, output discarded.
q = tobyte(34)
h = filecreate("helper.sh")
fileprintt h, "[ " + q + "$2" + q + " = " + q + "b c" + q + " ] || exit 90"
fileprintt h, "[ " + q + "$3" + q + " = '*' ] || exit 91"
fileprintt h, "echo noise; echo more noise >&2; read line && exit 92"
fileprintt h, "exit $#"
print fileclose(h)
print spawn("sh", "helper.sh a " + q + "b c" + q + " * ", 0)
print spawn("/bin/sh", "-c " + q + "exit 7" + q, 0), " ", spawn("sh", "-c " + q + "kill -9 $$" + q, 0)
print spawn("no-such-program-here", "", 0), " ", spawn("./helper.sh", "", 0), " ", spawn("C:\WINDOWS\notepad.exe", "", 1)
print spawn("true", "", 1) > 0
print "end"
