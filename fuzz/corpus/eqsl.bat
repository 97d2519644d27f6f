@echo off
curl -u  DL1ABC:secret -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC -F EQSL_PSWD=secret https://www.eqsl.cc/qslcard/ImportADIF.cfm > back.txt
rem pause
@echo on
