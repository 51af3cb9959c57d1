-- Receivables database: boletos, their bank configuration and the customers.
-- Column types follow the fields the boleto and customer queries declare;
-- the query layer checks them, so keep them in step with the layouts.

CREATE TABLE boletos (
  CHAVEBOLETO            INTEGER NOT NULL,
  CHAVECONTACORRENTE     INTEGER,
  COD_CLI                INTEGER,
  NRO_TIT                VARCHAR(20),
  NRO_PAR                INTEGER,
  TIT_EXPORTADO          VARCHAR(1),
  BOLETOIMPRESSO         VARCHAR(1),
  NOMESACADO             VARCHAR(50),
  CNPJCPFSACADO          VARCHAR(19),
  ENDERECOEMAILSACADO    VARCHAR(64),
  ENDERECOSACADO         VARCHAR(60),
  BAIRROSACADO           VARCHAR(30),
  CIDADESACADO           VARCHAR(30),
  ESTADOSACADO           VARCHAR(2),
  CEPSACADO              VARCHAR(10),
  DATAVENCIMENTO         DATE,
  VALORBOLETO            NUMERIC(18,2),
  VALORPAGO              NUMERIC(18,2),
  DATAPAGAMENTO          DATE,
  NOSSONUMERO            VARCHAR(20),
  PERCENTUALJUROS        NUMERIC(18,2),
  PERCENTUALMULTA        NUMERIC(18,2),
  PERCENTUALDESCONTO     NUMERIC(18,2),
  VALOROUTROSACRESCIMOS  NUMERIC(18,2),
  DESMONSTRATIVO         VARCHAR(250),
  INSTRUCOESCAIXA        VARCHAR(250),
  LIN_ADC1               VARCHAR(80),
  LIN_ADC2               VARCHAR(80),
  LIN_ADC3               VARCHAR(80),
  LIN_ADC4               VARCHAR(80),
  LIN_ADC5               VARCHAR(80),
  LIN_ADC6               VARCHAR(80),
  LIN_ADC7               VARCHAR(80),
  DATAEMISSAO            DATE,
  NRO_BANCO              INTEGER,
  CODBARRAS              VARCHAR(44),
  LINHADIGITAVEL         VARCHAR(55),
  PIXCOPIAECOLA          VARCHAR(512),
  CONSTRAINT pk_boletos PRIMARY KEY (CHAVEBOLETO)
);

-- Bank account -> collection portfolio. The portfolio code is numeric
-- because it is placed unquoted into the configuration lookups.
CREATE TABLE exportacao (
  chaveContaCorrente     INTEGER NOT NULL,
  cod_carteira           INTEGER NOT NULL,
  descricao              VARCHAR(60),
  CONSTRAINT pk_exportacao PRIMARY KEY (chaveContaCorrente)
);

-- Per-portfolio key/value settings; keys are stored upper case.
CREATE TABLE Config_Boletos (
  cod_carteira           INTEGER NOT NULL,
  Campo_Ref              VARCHAR(40) NOT NULL,
  Campo_Valor            VARCHAR(250),
  CONSTRAINT pk_config_boletos PRIMARY KEY (cod_carteira, Campo_Ref)
);

-- 23 columns: with the two computed columns of the customer query
-- (cpf_cnpj, rg_ie) the select has the 25 columns the layouts declare.
CREATE TABLE clientes (
  codigo                 INTEGER NOT NULL,
  nome                   VARCHAR(60),
  fantasia               VARCHAR(60),
  tipocli                VARCHAR(1),
  cnpj                   VARCHAR(18),
  cpf                    VARCHAR(14),
  Ie                     VARCHAR(20),
  identidade             VARCHAR(20),
  endereco               VARCHAR(60),
  bairro                 VARCHAR(30),
  cidade                 VARCHAR(30),
  uf                     VARCHAR(2),
  cep                    VARCHAR(10),
  fone1                  VARCHAR(20),
  fone2                  VARCHAR(20),
  fax1                   VARCHAR(20),
  fax2                   VARCHAR(20),
  celular                VARCHAR(20),
  contato                VARCHAR(40),
  email                  VARCHAR(64),
  Obs_cli                BLOB SUB_TYPE TEXT,
  data_cad               DATE,
  limite_credito         NUMERIC(18,2),
  CONSTRAINT pk_clientes PRIMARY KEY (codigo)
);
