' Creation, 16-bit values, wrapping and dimensions of spinners.
addspinner "P", 10, 10
addspinner "Q", 40, 10, 30, 40, -5, 5, 2, 1, 1
print getspinner("P"), " ", getspinnermin("P"), "..", getspinnermax("P"), " ", getspinnerincr("P"), getspinnerwrap("P")
print getspinner("Q"), " ", getspinnerincr("Q"), getspinnerwrap("Q"), " ", getspinnerw("Q"), ",", getspinnerh("Q")
' Values keep their low 16 bits; a program's change is no event.
setspinnermax "P", 40000
setspinnerincr "P", 65537
print getspinnermax("P"), " ", getspinnerincr("P"), " [", lastspinner(), "]"
setspinnermax "P", 200
setspinner "P", 150
print getspinner("P")
setspinner "P", 999
print getspinner("P")
setspinnerwrap "P", 0
setspinnermin "P"
print getspinnermin("P"), " ", getspinnerwrap("P")
setspinnerdim "P", 5, 6, 20, 30
print getspinnerx("P"), ",", getspinnery("P"), ",", getspinnerw("P"), ",", getspinnerh("P")
hidespinner "Q"
enablespinner "Q", 0
print spinnerhidden("Q"), spinnerenabled("Q"), spinnerhidden("nosuch"), getspinner("nosuch")
