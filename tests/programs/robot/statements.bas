// Placement, motion and settings on an empty arena (800 x 600).
rlocate 0, 0
print rgpsx(); rgpsy(); rcompass(); rpoints(); rchargelevel()
rlocate 600, 450, 90
rforward 50
print rgpsx(); rgpsy(); rcompass(); rpoints()
print rrange(); rlook(); rbeacon(15); rbumper(); rfeel()
rturn 90
print rcompass(); rrange()
rturn
rturn -2.9
print rcompass()
rheading 270
rforward
print rgpsx(); rcompass()
rforward -10
print rgpsx()
rcharge 50
print rchargelevel()
rignorecharge 0
rcharge 1
rturn 1080
print rchargelevel(); rcompass()
rturn
