' A timer ticks from its creation; its handler runs once per pending tick.
addtimer "T", 20
print timerison("T"), " ", gettimerperiod("T"), " ", gettimerticks("T")
n = 0
ontimer tick
while n < 3
wend
settimer "T", 0
if gettimerticks("T") >= 3 then print "ticked"
print timerison("T")
settimerperiod "T"
print gettimerperiod("T"), " ", gettimerticks("T"), " ", timerison("T")
settimerticks "T", 7
print gettimerticks("T")
removetimer "T"
print gettimerperiod("T"), " [", lasttimer(), "]"
addtimer "D"
print gettimerperiod("D")
' A period of 0 set afterwards means no ticks, also once switched on again.
addtimer "Z", 10
settimerperiod "Z", 0
settimer "Z", 1
delay 100
print gettimerperiod("Z"), " ", gettimerticks("Z"), " ", timerison("Z")
end
tick:
n = n + 1
t = lasttimer()
ontimer tick
return
