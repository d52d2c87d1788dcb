<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<!-- The program's texts are English already: the English catalogue is empty
     and only replaces a Chinese one when the operator switches back. -->
</TS>
