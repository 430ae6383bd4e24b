' Creation, range, position, the selection bar and dimensions of sliders.
addslider "S", 10, 10
addslider "V", 10, 60, 150, 10, 20, 1
print getsliderpos("S"), " ", getslidermin("S"), "..", getslidermax("S"), " ", getsliderw("S"), " [", lastslider(), "]"
print getsliderpos("V"), " ", getsliderw("V"), " ", getslidermin("V"), "..", getslidermax("V")
' A change by the program is an event; the position stays within the range.
setsliderpos "S", 500
print getsliderpos("S"), " ", lastslider()
setsliderpos "S", -5
print getsliderpos("S")
' The bar follows the thumb once shown; hidden, it spans 0..0.
setsliderpos "S", 30
showsliderbar "S"
setsliderpos "S", 60
print getsliderbarstart("S"), "..", getsliderbarend("S"), " ", sliderbarhidden("S")
showsliderbar "S", 0
print getsliderbarstart("S"), "..", getsliderbarend("S"), " ", sliderbarhidden("S")
setsliderbarstart "S", 10
setsliderbarend "S", 20
print getsliderbarstart("S"), "..", getsliderbarend("S")
setslidermax "S", 40
print getslidermax("S"), " ", getsliderpos("S")
setslidermax "S"
hidesliderdial "S"
print getslidermax("S"), " ", sliderdialhidden("S")
setsliderdim "S", 5, 6, 200, 99
print getsliderx("S"), ",", getslidery("S"), ",", getsliderw("S")
hideslider "V"
enableslider "V", 0
print sliderhidden("V"), sliderenabled("V"), sliderhidden("nosuch"), getsliderpos("nosuch")
