' Creation, defaults, properties and getters of buttons; a name no button
' has does nothing and reads as 0 or "".
addbutton "A", 10, 20
addbutton "B", 30, 40, 80, 25, "a hint"
removebutton "A"
addbutton "C", 5, 6
print getbuttonx("B"), ",", getbuttony("B"), ",", getbuttonw("B"), ",", getbuttonh("B")
print getbuttoncaption("C"), " ", buttonenabled("C"), " ", buttonhidden("C")
hidebutton "C"
enablebutton "C", 0
print buttonenabled("C"), " ", buttonhidden("C")
hidebutton "C", 0
print buttonhidden("C")
setbuttondim "B", 12
print getbuttonx("B"), ",", getbuttony("B"), ",", getbuttonw("B")
renamebutton "B", "Bee"
print "[", getbuttoncaption("B"), "] ", getbuttoncaption("Bee")
setbuttoncaption "Bee", 42
print getbuttoncaption("Bee")
removebutton "nosuch"
hidebutton "nosuch"
print getbuttonx("nosuch"), "[", getbuttoncaption("nosuch"), "][", getbuttonfont("nosuch"), "]"
getbutton v
print "[", v, "][", lastbutton(), "]"
' Places and sizes are capped as drawing caps them.
addbutton "Huge", -100000, 2000000000, 2000000000, 2000000000
print getbuttonx("Huge"), ",", getbuttony("Huge"), ",", getbuttonw("Huge"), ",", getbuttonh("Huge")
