t = dateval(2024, 3, 7) + timeval(15, 4, 5, 0)
print datetimeval(datetimestr(t)) = t
print datetimeval("2024/03/07") = dateval(2024, 3, 7)
print datetimestr(datetimeval("12/31/1999 11:59:59 pm"))
print timestr(datetimeval("6:30"))
print datetimeval("6:30") < 1
print year(datetimeval("3/7")) = year(now())
print datetimeval("not a date")
print datetimeval("2/30/2024")
print dateval(2000, 13, 1)
