x = 5
then
