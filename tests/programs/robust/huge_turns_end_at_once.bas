// Turns of any size end at once, where they end as the whole turn would:
// the heading by the angle modulo 360, the battery drained by every degree.
rlocate 400, 300
rturn 2147483647
print rcompass()
rturn 1e300
print rcompass()
rturn -2147483648
print rcompass()
rturn maxinteger()
print rcompass(), " ", rchargelevel()
rcharge 100
rturn -1e300
print rcompass(), " ", rchargelevel()
